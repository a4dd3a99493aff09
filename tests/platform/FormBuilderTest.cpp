// The generic window builder: components and their properties from a description, events
// bound to handlers by name, inheritance, extension by other libraries, and clear errors.
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

// A form with a handful of handlers of each kind.
class TTestForm : public QMainWindow {
 public:
  int keyClicks = 0, opens = 0, ticks = 0;
  QPoint lastMove{-1, -1};
  QObject* lastSender = nullptr;
  void KeyClick(QObject* sender) {
    ++keyClicks;
    lastSender = sender;
  }
  void Open1Click() { ++opens; }
  void Timer1Timer() { ++ticks; }
  void Panel1MouseMove(QObject*, int x, int y) { lastMove = QPoint(x, y); }
  void Fail(QObject*) { throw std::runtime_error("handler failed"); }

  THandlers Handlers() {
    THandlers h;
    h.Add("KeyClick", this, &TTestForm::KeyClick)
        .Add("Open1Click", this, &TTestForm::Open1Click)
        .Add("Timer1Timer", this, &TTestForm::Timer1Timer)
        .Add("Panel1MouseMove", this, &TTestForm::Panel1MouseMove)
        .Add("Fail", this, &TTestForm::Fail);
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

  std::vector<std::string> faults_;

 private slots:
  void init() {
    faults_.clear();
    TApplication::Instance().SetFaultSink([this](const std::string& t) { faults_.push_back(t); });
  }

  void components_get_their_names_positions_captions_fonts_and_colours() {
    TTestForm form;
    BuildForm(form, "TTestForm", Json(kWindow), form.Handlers());
    QCOMPARE(form.objectName(), QString("TestForm"));
    QCOMPARE(form.windowTitle(), QString("Test"));
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.centralWidget()->size(), QSize(200, 100));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    auto& panel = Component<TPanel>(form, "Panel1");
    QCOMPARE(panel.color, QColor(0, 0, 128));
    auto& key = Component<TSpeedButton>(form, "OneButton");
    QCOMPARE(key.parentWidget(), &panel);
    QCOMPARE(key.geometry(), QRect(10, 10, 33, 25));
    QCOMPARE(key.Caption(), QString("1"));
    QCOMPARE(key.toolTip(), QString("one"));
    // The key inherits its panel's font; the label changes only the colour.
    QCOMPARE(key.font().pixelSize(), 16);
    QVERIFY(key.font().bold());
    QCOMPARE(key.fontColor, QColor(255, 0, 0));
    auto& label = Component<TLabel>(form, "Label1");
    QCOMPARE(label.font().pixelSize(), 16);
    QCOMPARE(label.fontColor, QColor(0, 0, 255));
    QVERIFY(label.alignment & Qt::AlignRight);
    QCOMPARE(Component<QTimer>(form, "Timer1").interval(), 100);
    QVERIFY(!form.findChild<QAction*>("Save1")->isEnabled());
  }

  void events_reach_the_handlers_named_in_the_description() {
    TTestForm form;
    BuildForm(form, "TTestForm", Json(kWindow), form.Handlers());
    form.show();
    auto& key = Component<TSpeedButton>(form, "OneButton");
    QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(form.keyClicks, 1);
    QCOMPARE(form.lastSender, &key);
    QTest::mouseMove(&Component<TPanel>(form, "Panel1"), QPoint(150, 70));
    QCOMPARE(form.lastMove, QPoint(150, 70));
    form.findChild<QAction*>("Open1")->trigger();
    QCOMPARE(form.opens, 1);
    QTRY_VERIFY_WITH_TIMEOUT(form.ticks > 0, 2000);
  }

  void a_fault_in_a_menu_handler_goes_to_the_fault_report() {
    TTestForm form;
    QJsonObject d = Json(kWindow);
    d = MergeFormDescription(d, Json(R"({"menu": [{"name": "File1", "items": [
        {"name": "Open1", "events": {"OnClick": "Fail"}}]}]})"));
    BuildForm(form, "TTestForm", d, form.Handlers());
    form.findChild<QAction*>("Open1")->trigger();
    QCOMPARE(faults_, std::vector<std::string>{"handler failed"});
  }

  void an_inheriting_description_changes_named_entries_and_adds_new_ones() {
    const QJsonObject merged = MergeFormDescription(Json(kWindow), Json(R"({
      "class": "TTestForm", "caption": "Wider", "clientWidth": 300,
      "components": [{"name": "Panel1", "width": 300, "components": [
        {"name": "OneButton", "left": 110},
        {"name": "PiBtn", "class": "TSpeedButton", "caption": "Pi", "left": 10, "top": 40,
         "width": 33, "height": 25, "events": {"OnClick": "KeyClick"}}]}]})"));
    TTestForm form;
    BuildForm(form, "TTestForm", merged, form.Handlers());
    QCOMPARE(form.windowTitle(), QString("Wider"));
    QCOMPARE(form.centralWidget()->width(), 300);
    QCOMPARE(Component<TPanel>(form, "Panel1").color, QColor(0, 0, 128));  // inherited
    QCOMPARE(Component<TSpeedButton>(form, "OneButton").geometry(), QRect(110, 10, 33, 25));
    QCOMPARE(Component<TSpeedButton>(form, "OneButton").Caption(), QString("1"));
    auto& pi = Component<TSpeedButton>(form, "PiBtn");
    QCOMPARE(pi.parentWidget(), &Component<TPanel>(form, "Panel1"));
    QCOMPARE(form.findChild<QAction*>("Open1")->text(), QString("&Open"));
  }

  void other_libraries_add_component_classes_properties_and_events() {
    TComponentRegistry registry = TComponentRegistry::Standard();
    struct TBook : QObject {
      explicit TBook(QObject* parent) : QObject(parent) {}
      QString state;
      TNotifyEvent OnChange;
    };
    TComponentClass book;
    book.visual = false;
    book.create = [](QWidget*, QWidget* form) -> QObject* { return new TBook(form); };
    registry.Add("TBook", std::move(book));
    registry.AddProperty<TBook>("TBook", "state",
                                [](TBook& b, const QJsonValue& v) { b.state = v.toString(); });
    registry.AddEvent<TBook>(
        "TBook", "OnChange",
        [](TBook& b, const QString& h, const THandlers& hs) { b.OnChange = hs.Notify(h); });
    registry.AddProperty<TImage>("TImage", "picture", [](TImage& image, const QJsonValue& v) {
      image.SetImage(ImageFromBase64(v));
    });
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    dot.save(&buffer, "PNG");
    QJsonObject d = Json(R"({"class": "TTestForm", "components": [
      {"name": "F1Book", "class": "TBook", "state": "abc", "events": {"OnChange": "KeyClick"}},
      {"name": "Image1", "class": "TImage", "width": 10, "height": 10}]})");
    QJsonArray components = d["components"].toArray();
    QJsonObject image = components[1].toObject();
    image["picture"] = QString::fromLatin1(png.toBase64());
    components[1] = image;
    d["components"] = components;
    TTestForm form;
    BuildForm(form, "TTestForm", d, form.Handlers(), registry);
    auto& b = Component<TBook>(form, "F1Book");
    QCOMPARE(b.state, QString("abc"));
    b.OnChange(&b);
    QCOMPARE(form.keyClicks, 1);
    QVERIFY(Component<TImage>(form, "Image1").PictureLoaded());
    // The standard registry stays as it was.
    QVERIFY(!TComponentRegistry::Standard().Contains("TBook"));
  }

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
