// The generic window builder's errors: every broken description is refused with a message
// that names the description and the component. What it builds is checked on the program's
// own windows (tests/windows, tests/drawer).
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include "Application.h"
#include "Components.h"
#include "FormBuilder.h"
#include "ShippedFaces.h"

using namespace numora;

namespace {

QJsonObject Json(const char* text) { return QJsonDocument::fromJson(QByteArray(text)).object(); }

class TTestForm : public QMainWindow {
 public:
  void KeyClick(QObject*) {}
  THandlers Handlers() {
    THandlers h;
    h.Add("KeyClick", this, &TTestForm::KeyClick);
    return h;
  }
};

// The build error of a description, or "" when it builds.
std::string BuildError(const QJsonObject& description) {
  TTestForm form;
  try {
    BuildForm(form, "TTestForm", description, form.Handlers());
  } catch (const EFormDescription& e) {
    return e.what();
  }
  return "";
}

QJsonObject WithComponent(const char* component) {
  QJsonObject d = Json(R"({"class": "TTestForm", "name": "TestForm"})");
  d["components"] = QJsonArray{Json(component)};
  return d;
}

}  // namespace

class FormBuilderTest : public QObject {
  Q_OBJECT

 private slots:
  void faults_in_a_description_are_start_up_errors_naming_the_description_and_component_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown handler")
        << R"({"name": "OneButton", "class": "TSpeedButton", "events": {"OnClick": "NoSuch"}})"
        << "window description TestForm, component OneButton: unknown handler \"NoSuch\"";
    QTest::newRow("handler of the wrong kind")
        << R"({"name": "P", "class": "TPanel", "events": {"OnMouseMove": "KeyClick"}})"
        << "window description TestForm, component P: handler \"KeyClick\" does not fit this "
           "event";
    QTest::newRow("unknown class")
        << R"({"name": "Grid1", "class": "TStringGrid"})"
        << "window description TestForm, component Grid1: unknown component class "
           "\"TStringGrid\"";
    QTest::newRow("unknown event")
        << R"({"name": "L", "class": "TLabel", "events": {"OnKeyDown": "KeyClick"}})"
        << "window description TestForm, component L: unknown event \"OnKeyDown\"";
    QTest::newRow("misspelt property")
        << R"({"name": "L", "class": "TLabel", "captoin": "x"})"
        << "window description TestForm, component L: unknown property \"captoin\"";
    QTest::newRow("wrong type")
        << R"({"name": "L", "class": "TLabel", "left": "ten"})"
        << "window description TestForm, component L: expected a whole number";
    QTest::newRow("unknown colour")
        << R"({"name": "L", "class": "TLabel", "color": "clPlaid"})"
        << "window description TestForm, component L: unknown colour \"clPlaid\"";
    QTest::newRow("misspelt font property")
        << R"({"name": "L", "class": "TLabel", "font": {"name": "Arial", "size": 12}})"
        << "window description TestForm, component L: unknown font property \"size\"";
    QTest::newRow("bad glyph")
        << R"({"name": "B", "class": "TSpeedButton", "glyph": "@@@"})"
        << "window description TestForm, component B: property \"glyph\": not valid base64";
    QTest::newRow("nested component")
        << R"({"name": "P", "class": "TPanel", "components": [{"name": "Q", "class": "TPanl"}]})"
        << "window description TestForm, component P.Q: unknown component class \"TPanl\"";
  }
  void faults_in_a_description_are_start_up_errors_naming_the_description_and_component() {
    QFETCH(QString, component);
    QFETCH(QString, error);
    QCOMPARE(QString::fromStdString(BuildError(WithComponent(component.toUtf8().constData()))),
             error);
  }

  // Boxes and windows start from the windows' own face, so a message box matches the window
  // above it, and no other face has to be loaded before the first window shows.
  void everything_starts_from_the_windows_face_at_eleven_pixels() {
    QCOMPARE(QApplication::font().family(), QString("Liberation Sans"));
    QCOMPARE(QApplication::font().pixelSize(), 11);
    QCOMPARE(QWidget().font().family(), QString("Liberation Sans"));
  }

  // The faces shipped beside the Windows program: every font file of the folder, by its own
  // family name; a file that is no font is passed over, a missing folder registers nothing.
  void the_faces_of_a_folder_are_registered_and_what_is_no_face_passed_over() {
    QTemporaryDir dir;
    QVERIFY(QFile::copy("/usr/share/fonts/opentype/urw-base35/P052-Bold.otf",
                        dir.filePath("P052-Bold.otf")));
    QFile broken(dir.filePath("Broken.otf"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a font");
    broken.close();
    QCOMPARE(RegisterFacesIn(dir.path()), QStringList{"P052"});
    QCOMPARE(RegisterFacesIn(dir.filePath("missing")), QStringList{});
  }

  void a_broken_file_a_loop_another_class_or_a_missing_file_is_refused() {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& text) {
      QFile file(dir.filePath(name));
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write a test description");
      file.write(text);
      return dir.filePath(name);
    };
    const QString broken = write("Broken.json", R"({"class": "TTestForm", "caption": })");
    try {
      LoadFormDescription(broken);
      QFAIL("no error");
    } catch (const EFormDescription& e) {
      QVERIFY2(QString(e.what()).startsWith("window description " + broken + ": "), e.what());
      QVERIFY2(QString(e.what()).contains("at offset"), e.what());
    }
    const QString loop = dir.filePath("Loop.json");
    write("Loop.json", QByteArray("{\"inherits\": \"") + loop.toUtf8() + "\"}");
    QVERIFY_THROWS_EXCEPTION(EFormDescription, LoadFormDescription(loop));
    QCOMPARE(QString::fromStdString(BuildError(Json(R"({"class": "TOther", "name": "X"})"))),
             QString("window description X: describes class \"TOther\", not \"TTestForm\""));
    // No window calls a handler bound to OnShow: binding one is refused, not ignored.
    const char* onShow = R"({"class": "TTestForm", "name": "X", "events": {"OnShow": "KeyClick"}})";
    QCOMPARE(QString::fromStdString(BuildError(Json(onShow))),
             QString("window description X: unknown event \"OnShow\""));
    const char* menu =
        R"({"class": "TTestForm", "name": "X", "menu": [{"name": "F", "captoin": "&F"}]})";
    QCOMPARE(QString::fromStdString(BuildError(Json(menu))),
             QString("window description X, component F: unknown property \"captoin\""));
    TTestForm form;
    try {
      BuildForm(form, "TTestForm", QString(":/no/such.json"), form.Handlers());
      QFAIL("no error");
    } catch (const EFormDescription& e) {
      QCOMPARE(QString(e.what()), QString("window description :/no/such.json: cannot be read"));
    }
    QVERIFY_THROWS_EXCEPTION(EFormDescription, Component<TLabel>(form, "Nothing"));
  }
};

int main(int argc, char** argv) {
  numora::TApplication app(argc, argv);
  FormBuilderTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "FormBuilderTest.moc"
