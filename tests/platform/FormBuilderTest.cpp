// The generic window builder's errors: every broken description is refused with a message
// that names the description and the component. What it builds is checked on the program's
// own windows (tests/windows, tests/drawer).
#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "Application.h"
#include "Components.h"
#include "FormBuilder.h"

using namespace numora;

namespace {

QJsonObject Json(const char* text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text), &error);
  if (error.error != QJsonParseError::NoError) qFatal("bad test JSON: %s", text);
  return document.object();
}

const char* kWindow = R"({
  "class": "TTestForm", "name": "TestForm", "caption": "Test", "border": "single",
  "clientWidth": 200, "clientHeight": 100, "formStyle": "stayOnTop",
  "font": {"name": "MS Sans Serif", "height": 11},
  "menu": [{"name": "File1", "caption": "&File", "items": [
    {"name": "Open1", "caption": "&Open", "events": {"OnClick": "Open1Click"}},
    {"name": "Save1", "caption": "&Save", "enabled": false}]}],
  "components": [
    {"name": "Panel1", "class": "TPanel", "left": 0, "top": 0, "width": 200, "height": 100,
     "color": "clNavy", "font": {"height": 16, "style": ["bold"], "color": "clRed"},
     "events": {"OnMouseMove": "Panel1MouseMove"},
     "components": [
       {"name": "OneButton", "class": "TSpeedButton", "caption": "1", "left": 10, "top": 10,
        "width": 33, "height": 25, "hint": "one", "events": {"OnClick": "KeyClick"}},
       {"name": "Label1", "class": "TLabel", "caption": "0", "alignment": "right",
        "left": 50, "top": 10, "width": 100, "height": 20, "font": {"color": "clBlue"}}]},
    {"name": "Timer1", "class": "TTimer", "interval": 100, "left": 4, "top": 4,
     "events": {"OnTimer": "Timer1Timer"}}]
})";

// A form with a handler of each kind the descriptions name.
class TTestForm : public QMainWindow {
 public:
  void KeyClick(QObject*) {}
  void Open1Click() {}
  void Panel1MouseMove(QObject*, int, int) {}
  THandlers Handlers() {
    THandlers h;
    h.Add("KeyClick", this, &TTestForm::KeyClick)
        .Add("Open1Click", this, &TTestForm::Open1Click)
        .Add("Timer1Timer", this, &TTestForm::Open1Click)
        .Add("Panel1MouseMove", this, &TTestForm::Panel1MouseMove);
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

  void a_description_file_inherits_its_base_file_and_reports_where_it_is_broken() {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& text) {
      QFile file(dir.filePath(name));
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write a test description");
      file.write(text);
      return dir.filePath(name);
    };
    const QString base = write("Base.json", kWindow);
    const QString wide = write("Wide.json", QByteArray("{\"inherits\": \"") + base.toUtf8() +
                                                "\", \"caption\": \"Wide\"}");
    TTestForm form;
    BuildForm(form, "TTestForm", wide, form.Handlers());
    QCOMPARE(form.windowTitle(), QString("Wide"));
    QCOMPARE(Component<TSpeedButton>(form, "OneButton").Caption(), QString("1"));

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
  }

  void a_description_of_another_class_or_a_missing_file_is_refused() {
    QCOMPARE(QString::fromStdString(BuildError(Json(R"({"class": "TOther", "name": "X"})"))),
             QString("window description X: describes class \"TOther\", not \"TTestForm\""));
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
