// The calculator windows and the About box through their real components: keys clicked by
// name, keys typed into Edit1, menu entries, the system clipboard, the status bar, and the
// layout every window description builds.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <optional>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "Components.h"
#include "Draw.h"
#include "Engine.h"
#include "SciCalc.h"
#include "jpeg.h"

using namespace numora;

namespace {

class TApplicationHost : public TEngineHost {
 public:
  void Beep() override { numora::Beep(); }
  void ShowMessage(const std::string& text) override { numora::ShowMessage(text); }
};

// A standard window from a description that changes the program's own.
class TMisboundForm : public TCalculatorForm {
 public:
  TMisboundForm(TCalculatorEngine& engine, const QString& description)
      : TCalculatorForm(engine, TBuildLater{}) {
    Build("TCalculatorForm", description, Handlers(), "Standart1");
  }
};

// clang-format off
enum TFont { K, B19, B11, W13, G13 };
const struct TFontLook {
  int pixels;
  QColor color;
} kFonts[] = {{16, QColor(128, 0, 128)}, {19, QColor(0, 0, 255)}, {11, QColor(0, 0, 255)},
              {13, QColor(0, 0, 0)}, {13, QColor(0, 128, 0)}};
// clang-format on

struct TKeyRow {
  const char* name;
  const char* caption;
  int standardLeft, scientificLeft, top, width;
  TFont font;
};

// Lefts in the standard and the scientific window; a standard left of -1: scientific only.
// clang-format off
const TKeyRow kKeys[] = {
    {"ClearAllButton", "C", 46, 143, 8, 71, W13}, {"ClearButton", "CE", 148, 221, 8, 72, W13},
    {"BackButton", "Back", 252, 301, 8, 72, W13}, {"MemClearBtn", "MC", 47, 143, 48, 33, B11},
    {"SevenButton", "7", 100, 180, 48, 33, K}, {"EightButton", "8", 148, 220, 48, 33, K},
    {"NineButton", "9", 196, 260, 48, 33, K}, {"DivideButton", "/", 244, 300, 48, 33, B19},
    {"RootButton", "Sqrt", 292, 340, 48, 33, B11}, {"MemButton", "MR", 47, 143, 80, 33, B11},
    {"FourButton", "4", 100, 180, 80, 33, K}, {"FiveButton", "5", 148, 220, 80, 33, K},
    {"SixButton", "6", 196, 260, 80, 33, K}, {"MultiplyButton", "*", 244, 300, 80, 33, B19},
    {"PercentButton", "%", 292, 340, 80, 33, B11}, {"SpeedButton22", "MS", 47, 143, 112, 33, B11},
    {"OneButton", "1", 100, 180, 112, 33, K}, {"TwoButton", "2", 148, 220, 112, 33, K},
    {"ThreeButton", "3", 196, 260, 112, 33, K}, {"MinusButton", "--", 244, 300, 112, 33, B19},
    {"AdverseButton", "1/x", 292, 340, 112, 33, B11}, {"MemPlusBtn", "M+", 47, 143, 144, 33, B11},
    {"ZeroButton", "0", 100, 180, 144, 33, K}, {"SignButton", "+/-", 148, 220, 144, 33, B19},
    {"CommaButton", ",", 196, 260, 144, 33, B19}, {"PlusButton", "+", 244, 300, 144, 33, B19},
    {"EqualButton", "=", 292, 340, 144, 33, B11}, {"ExpButton", "exp", -1, 54, 48, 33, G13},
    {"LnButton", "ln", -1, 94, 48, 33, G13}, {"TanButton", "tan", -1, 14, 80, 33, G13},
    {"CosButton", "cos", -1, 54, 80, 33, G13}, {"SinButton", "sin", -1, 94, 80, 33, G13},
    {"PiBtn", "Pi", -1, 14, 112, 33, G13}, {"xUPyButton", "x^y", -1, 54, 112, 33, G13},
    {"LogButton", "log", -1, 94, 112, 33, G13}, {"SquareButton", "x^2", -1, 14, 144, 33, G13},
    {"CubeButton", "x^3", -1, 54, 144, 33, G13}, {"FactorButton", "n!", -1, 94, 144, 33, G13},
};
// clang-format on

}  // namespace

class CalculatorFormTest : public QObject {
  Q_OBJECT

  TApplicationHost host_;
  std::unique_ptr<TCalculatorEngine> engine_;
  std::unique_ptr<TCalculatorForm> form_;
  QStringList events_;  // beeps, messages and faults, in order

  QMainWindow* Current() const {
    return SciCalcForm != nullptr ? static_cast<QMainWindow*>(SciCalcForm) : form_.get();
  }
  QString Display() const { return Current()->findChild<TLabel*>("CalcEdit")->Caption(); }
  void Click(QWidget* window, const QString& key) {
    auto* button = window->findChild<QWidget*>(key);
    QVERIFY2(button != nullptr, qPrintable(key));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  }
  void Trigger(QWidget* window, const char* entry) {
    window->findChild<QAction*>(entry)->trigger();
  }

  // Whether the window, frame included, is centred on the free area of its screen.
  static bool Centred(const QWidget& window) {
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    return offset.manhattanLength() <= 2;  // halves of odd sizes round either way
  }

  // Runs the menu entry and, from inside the modal showing it starts, closes the box. Shown
  // for the first time, the box is centred on the screen. The box may not exist before the
  // entry runs: it is looked up once it shows.
  void ShowModalAndClose(const char* entry, const std::function<QDialog*()>& boxOf,
                         const std::function<void()>& close) {
    bool modal = false, centred = false;
    QTimer::singleShot(50, [&] {
      QDialog* box = boxOf();
      modal = box != nullptr && QApplication::activeModalWidget() == box;
      centred = box != nullptr && Centred(*box);
      close();
    });
    QTimer watchdog;  // a box that refuses to close must not hang the test
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&] {
      if (QDialog* box = QApplication::activeModalWidget() ? boxOf() : nullptr) box->reject();
    });
    watchdog.start(3000);
    Trigger(Current(), entry);
    QVERIFY(watchdog.isActive());
    QVERIFY(modal);
    QVERIFY(centred);
    QVERIFY(!boxOf()->isVisible());
  }
  void ShowModalAndClose(const char* entry, QDialog& box, const std::function<void()>& close) {
    ShowModalAndClose(
        entry, [&] { return &box; }, close);
  }

 private slots:
  void init() {
    auto& app = TApplication::Instance();
    app.SetFaultSink([this](const std::string&) { events_ << "fault"; });
    app.SetMessageSink(
        [this](const std::string& t) { events_ << "message: " + QString(t.c_str()); });
    app.SetBeepSink([this] { events_ << "beep"; });
    events_.clear();
    engine_ = std::make_unique<TCalculatorEngine>(host_);
    form_ = std::make_unique<TCalculatorForm>(*engine_);
    CalculatorForm = form_.get();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    if (SciCalcForm != nullptr) SciCalcForm->close();
    form_.reset();
    QCOMPARE(SciCalcForm, nullptr);
  }

  // Tokens: a key's component name is a click in the current window; type:TEXT types into
  // its Edit1; kp+ kp- kp/ kp, enter backspace escape delete home shift+home end left
  // shift+left ctrl+c ctrl+v f9 ctrl+m ... kpend kpclear kpdelete dead^ are keys;
  // clip:TEXT puts TEXT on the clipboard; a menu entry's name triggers it; close closes the
  // scientific window.
  void key_sequences_show_their_display_clipboard_and_events_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("clipboard");  // "-": not looked at
    QTest::addColumn<QString>("events");
    const auto row = [](const char* name, const char* keys, const char* display,
                        const char* clipboard = "-", const char* events = "") {
      QTest::newRow(name) << keys << display << clipboard << events;
    };
    row("left to right", "TwoButton PlusButton ThreeButton MultiplyButton FourButton EqualButton",
        "20");
    row("division by zero", "FiveButton DivideButton ZeroButton EqualButton", "0", "-",
        "message: Division by Zero, beep");
    row("a fault keeps the display", "FourButton SignButton RootButton", "-4", "-", "fault");
    row("typed sum and copy", "type:12 kp+ type:3 enter Kopyala1", "15", "15");
    row("a second keypad operator only changes the pending one", "type:5 kp+ kp+ type:3 enter",
        "8");
    row("keypad + then - subtracts", "type:5 kp+ kp- type:3 enter", "2");
    row("clicked + twice applies once", "FiveButton PlusButton PlusButton", "5");
    row("typed operators and period calculate", "type:3.5*2 enter", "7");
    row("typed sum with =", "type:2+3=", "5");
    row("letters are discarded", "type:7a2b", "72");
    row("backspace is back", "type:123 backspace", "12");
    row("escape clears and keeps the memory", "type:5 MemPlusBtn type:7+ escape MemButton", "5");
    row("delete clears and keeps the memory", "type:5 MemPlusBtn type:7+ delete MemButton", "5");
    row("ctrl+c copies the display", "type:2+3= ctrl+c", "5", "5");
    row("ctrl+v pastes", "Kopyala1 clip:42 ctrl+v", "42");
    row("keypad decimal once", "type:1 kp, kp,", "1,", "-", "beep");
    row("paste after copy is the clipboard", "Kopyala1 clip:42 Yaptr1", "42");
    row("paste keeps typed digits, never letters", "type:1a2 clip:5 Yaptr1", "125");
    row("paste takes the first line", "ClearAllButton type:5 kp+ clip:42\n17 Yaptr1 enter", "47");
    row("an empty clipboard pastes nothing", "FourButton TwoButton clip: Yaptr1 EqualButton", "42",
        "-", "beep");
    // The hidden field holds the number being entered, so the keyboard's paste lands where
    // the mouse's does.
    row("typed operator then ctrl+v", "type:5+ clip:17 ctrl+v enter", "22");
    row("paste after a result", "type:12+3= clip:5 ctrl+v", "5");
    row("paste after escape", "type:7 escape clip:3 ctrl+v", "3");
    row("paste after a function", "Bilimsel1 NineButton RootButton clip:4 Yaptr1", "4");
    row("home moves nothing", "type:12 home clip:3 ctrl+v", "123");
    row("shift+home selects nothing", "type:12 shift+home clip:3 ctrl+v", "123");
    row("arrows move nothing", "type:12 left shift+left clip:3 ctrl+v", "123");
    row("end after a result selects nothing", "type:12+3= end clip:5 ctrl+v", "5");
    row("a pasted point is the decimal comma", "clip:3.14 Yaptr1", "3,14");
    row("pasted groups and minus sign", "clip:\u22121\u00A0234,5 Yaptr1", "-1234,5");
    row("a pasted text without a number beeps", "type:42 clip:12\u00A0apples ctrl+v", "42", "-",
        "beep");
    row("MR shows the memory",
        "SevenButton SpeedButton22 OneButton PlusButton MemButton EqualButton", "8");
    row("the scientific window keeps the memory",
        "FiveButton MemPlusBtn Bilimsel1 ZeroButton MemPlusBtn", "5");
    row("scientific window starts at 0", "TwoButton PlusButton ThreeButton EqualButton Bilimsel1",
        "0");
    row("pi", "Bilimsel1 PiBtn", "3,14159265358979");
    row("standart shows the scientific display", "Bilimsel1 SevenButton PlusButton Standart1", "7");
    row("and the engine goes on from it",
        "Bilimsel1 SevenButton PlusButton close OneButton EqualButton", "8");
    row("f9 changes the sign", "type:5 f9", "-5");
    row("typed percent", "type:200+10%", "2,1");
    row("ctrl+m stores, never equals", "type:2+3 ctrl+m escape ctrl+r", "3");
    row("ctrl+p adds to the memory, ctrl+l clears it",
        "type:5 ctrl+p ctrl+p ctrl+r type:+ ctrl+l ctrl+r type:=", "10");
    row("ctrl+delete clears the memory too", "type:5 ctrl+p ctrl+delete ctrl+r", "0");
    row("ctrl+h is no backspace, ctrl+a selects nothing", "type:12 ctrl+h ctrl+a type:3", "123");
    row("scientific letters are discarded in the standard window", "type:3qsp ctrl+n", "3");
    row("and are keys in the scientific one", "Bilimsel1 type:3q+2y3=", "1331");
    row("the keypad with NumLock off types its faces", "type:12+3 kpdelete kpclear enter", "15,5");
    row("a dead key then a digit is the digit", "type:1 dead^ type:2+1=", "13");
    row("a dead circumflex is the power key", "Bilimsel1 type:2 dead^ type:3=", "8");
  }
  void key_sequences_show_their_display_clipboard_and_events() {
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QString, clipboard);
    QFETCH(QString, events);
    QGuiApplication::clipboard()->setText("untouched");
    for (const QString& token : keys.split(' ')) {
      auto* edit1 = Current()->findChild<TEdit*>("Edit1");
      const std::map<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
          {"kp+", {Qt::Key_Plus, Qt::KeypadModifier}},
          {"kp-", {Qt::Key_Minus, Qt::KeypadModifier}},
          {"kp/", {Qt::Key_Slash, Qt::KeypadModifier}},
          {"kp,", {Qt::Key_Period, Qt::KeypadModifier}},
          {"enter", {Qt::Key_Return, {}}},
          {"backspace", {Qt::Key_Backspace, {}}},
          {"escape", {Qt::Key_Escape, {}}},
          {"delete", {Qt::Key_Delete, {}}},
          {"home", {Qt::Key_Home, {}}},
          {"shift+home", {Qt::Key_Home, Qt::ShiftModifier}},
          {"end", {Qt::Key_End, {}}},
          {"left", {Qt::Key_Left, {}}},
          {"shift+left", {Qt::Key_Left, Qt::ShiftModifier}},
          {"ctrl+c", {Qt::Key_C, Qt::ControlModifier}},
          {"ctrl+v", {Qt::Key_V, Qt::ControlModifier}},
          {"f9", {Qt::Key_F9, {}}},
          {"ctrl+m", {Qt::Key_M, Qt::ControlModifier}},
          {"ctrl+r", {Qt::Key_R, Qt::ControlModifier}},
          {"ctrl+p", {Qt::Key_P, Qt::ControlModifier}},
          {"ctrl+l", {Qt::Key_L, Qt::ControlModifier}},
          {"ctrl+n", {Qt::Key_N, Qt::ControlModifier}},
          {"ctrl+h", {Qt::Key_H, Qt::ControlModifier}},
          {"ctrl+a", {Qt::Key_A, Qt::ControlModifier}},
          {"ctrl+delete", {Qt::Key_Delete, Qt::ControlModifier}},
          // The keypad with NumLock off: what the desktop sends for its 1, 5 and decimal keys.
          {"kpend", {Qt::Key_End, Qt::KeypadModifier}},
          {"kpclear", {Qt::Key_Clear, Qt::KeypadModifier}},
          {"kpdelete", {Qt::Key_Delete, Qt::KeypadModifier}}};
      if (token.startsWith("type:")) {
        QTest::keyClicks(edit1, token.mid(5));
      } else if (token == "dead^") {  // a dead key types no text of its own
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Dead_Circumflex, {});
        QApplication::sendEvent(edit1, &press);
      } else if (keys.count(token) != 0)
        QTest::keyClick(edit1, keys.at(token).first, keys.at(token).second);
      else if (token.startsWith("clip:"))
        QGuiApplication::clipboard()->setText(token.mid(5));
      else if (token == "close")
        SciCalcForm->close();
      else if (auto* entry = Current()->findChild<QAction*>(token))
        entry->trigger();
      else
        Click(Current(), token);
    }
    QCOMPARE(Display(), display);
    QCOMPARE(Current()->findChild<TEdit*>("Edit1")->text(), display);
    if (clipboard != "-") QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(events_.join(", "), events);
  }

  void a_digit_handler_bound_to_a_component_without_a_caption_is_a_fault_report() {
    QTemporaryDir dir;
    QFile file(dir.filePath("Misbound.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"inherits": ":/windows/Calculator.json", "components": [{"name": "Panel9",
        "class": "TPanel", "left": 0, "top": 0, "width": 20, "height": 20,
        "events": {"OnClick": "ZeroButtonClick"}}]})");
    file.close();
    TMisboundForm misbound(*engine_, file.fileName());
    misbound.show();
    QVERIFY(QTest::qWaitForWindowExposed(&misbound));
    QStringList faults;
    TApplication::Instance().SetFaultSink([&](const std::string& t) { faults << t.c_str(); });
    Click(&misbound, "Panel9");
    QCOMPARE(faults, QStringList{"ZeroButtonClick: \"Panel9\" is not a key with a caption"});
    QCOMPARE(misbound.findChild<TLabel*>("CalcEdit")->Caption(), QString("0"));
  }

  void each_window_has_its_keys_where_they_belong() {
    for (bool scientific : {false, true}) {
      if (scientific) Trigger(form_.get(), "Bilimsel1");
      int expected = 0, keys = 0;
      for (const TKeyRow& row : kKeys) {
        const int left = scientific ? row.scientificLeft : row.standardLeft;
        const auto* key = dynamic_cast<TSpeedButton*>(Current()->findChild<QObject*>(row.name));
        QCOMPARE(key != nullptr, left >= 0);
        if (key == nullptr) continue;
        ++expected;
        QCOMPARE(key->parentWidget()->objectName(), QString("Panel2"));
        QCOMPARE(key->Caption(), QString::fromUtf8(row.caption));
        QCOMPARE(key->geometry(), QRect(left, row.top, row.width, 25));
        QCOMPARE(key->font().pixelSize(), kFonts[row.font].pixels);
        QVERIFY2(key->font().bold(), row.name);
        QCOMPARE(key->fontColor.classic, kFonts[row.font].color);
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
      }
      for (QObject* child : Component<TPanel>(*Current(), "Panel2").children()) {
        const auto* key = dynamic_cast<TSpeedButton*>(child);
        if (key == nullptr) continue;
        ++keys;
        // The keyboard, the probe and screen readers know the window's keys from the key table.
        const TCalculatorKey* known = KeyOfComponent(key->objectName().toStdString());
        QVERIFY2(known != nullptr, qPrintable(key->objectName()));
        QCOMPARE(key->Caption().toStdString(), std::string(known->Caption));
        // The keyboard presses only the window's own keys, as the table knows them.
        QVERIFY2(scientific || known->Windows == TKeyWindows::Both, known->Component.data());
      }
      QCOMPARE(keys, expected);
      if (!scientific)
        QCOMPARE(keys, std::count_if(
                           CalculatorKeys().begin(), CalculatorKeys().end(),
                           [](const TCalculatorKey& k) { return k.Windows == TKeyWindows::Both; }));
    }
  }

  void both_windows_are_fixed_size_without_maximise_button_and_stay_on_top_data() {
    QTest::addColumn<bool>("scientific");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("display");
    QTest::addColumn<QRect>("keypad");
    QTest::addColumn<QRect>("statusBar");
    QTest::newRow("standard") << false << "Numora" << QSize(341, 254) << QRect(11, 8, 318, 24)
                              << QRect(0, 41, 341, 213) << QRect(1, 193, 339, 19);
    QTest::newRow("scientific") << true << "Scientific" << QSize(393, 229) << QRect(11, 9, 367, 24)
                                << QRect(0, 41, 393, 188) << QRect(1, 168, 391, 19);
  }
  void both_windows_are_fixed_size_without_maximise_button_and_stay_on_top() {
    QFETCH(bool, scientific);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QRect, display);
    QFETCH(QRect, keypad);
    QFETCH(QRect, statusBar);
    if (scientific) Trigger(form_.get(), "Bilimsel1");
    QMainWindow* window = Current();
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->centralWidget()->size(), client);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(Component<TLabel>(*window, "CalcEdit").geometry(), display);
    QCOMPARE(Component<TPanel>(*window, "Panel1").geometry(), QRect(0, 0, client.width(), 41));
    QCOMPARE(Component<TPanel>(*window, "Panel2").geometry(), keypad);
    QCOMPARE(Component<TStatusBar>(*window, "StatusBar1").geometry(), statusBar);
    // Each window's own kind is the View entry it cannot switch to.
    QCOMPARE(window->findChild<QAction*>("Standart1")->isEnabled(), scientific);
    QCOMPARE(window->findChild<QAction*>("Bilimsel1")->isEnabled(), !scientific);
    // Edit1 lies below the display strip it belongs to, so it never shows.
    const auto& edit1 = Component<TEdit>(*window, "Edit1");
    QVERIFY(!edit1.parentWidget()->rect().intersects(edit1.geometry()));
    // A larger desktop font, also one that comes while the program runs, makes the menu bar
    // taller: the window grows with it and the client area, status bar and all, keeps its size.
    const QFont menuFont = QApplication::font("QMenuBar");
    for (int points : {12, 20}) {
      QFont larger = menuFont;
      larger.setPointSize(points);
      QApplication::setFont(larger, "QMenuBar");
      QTRY_COMPARE(window->height(), window->menuBar()->sizeHint().height() + client.height());
      QCOMPARE(window->centralWidget()->size(), client);
      QCOMPARE(window->minimumSize(), window->maximumSize());
    }
    QApplication::setFont(menuFont, "QMenuBar");
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QVERIFY(window->grab().save(NUMORA_BINARY_DIR "/screenshots/" + caption + ".png"));
  }

  void the_menus_have_their_captions_in_order() {
    QStringList menus, entries;
    for (QAction* top : form_->menuBar()->actions()) {
      menus << top->menu()->objectName() + "=" + top->text();
      for (QAction* entry : top->menu()->actions())
        entries << entry->objectName() + "=" + entry->text();
    }
    QCOMPARE(menus, QStringList({"Dzenle1=&Edit", "Grnm1=&View", "Yardm1=&About"}));
    QCOMPARE(entries,
             QStringList({"Kopyala1=&Copy", "Yaptr1=&Paste", "Standart1=&Standart",
                          "Bilimsel1=S&cientific", "Function1=&Function", "Hakknda1=&About"}));
    QStringList shortcuts;
    for (QAction* entry : form_->findChildren<QAction*>())
      if (!entry->shortcut().isEmpty())
        shortcuts << entry->objectName() + "=" + entry->shortcut().toString();
    shortcuts.sort();
    QCOMPARE(shortcuts, QStringList({"Kopyala1=Ctrl+C", "Yaptr1=Ctrl+V"}));
  }

  void the_scientific_window_takes_the_standard_ones_place_and_gives_it_back() {
    form_->move(120, 90);
    Trigger(form_.get(), "Bilimsel1");
    QPointer<TSciCalcForm> first = SciCalcForm;
    QCOMPARE(first->pos(), form_->pos());
    QVERIFY(first->isVisible() && !form_->isVisible());
    first->move(200, 150);
    Trigger(first, "Standart1");
    QCOMPARE(SciCalcForm, nullptr);
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->pos(), QPoint(200, 150));
    Trigger(form_.get(), "Bilimsel1");  // a fresh window every time, before the last has gone
    const QPointer<TSciCalcForm> second = SciCalcForm;
    QVERIFY(second != first);
    QTRY_VERIFY(first.isNull());
    QVERIFY(!second.isNull());
    QCOMPARE(SciCalcForm, second.data());
    SciCalcForm->move(300, 250);
    SciCalcForm->close();  // its close button: the standard window stays where it was
    QCOMPARE(SciCalcForm, nullptr);
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->pos(), QPoint(200, 150));
  }

  void the_status_bar_shows_time_date_and_the_mouse_over_the_free_keypad() {
    auto& bar = Component<TStatusBar>(*form_, "StatusBar1");
    QCOMPARE(bar.PanelCount(), 3);
    for (int panel = 0; panel < 3; ++panel) QCOMPARE(bar.PanelText(panel), QString());
    QCOMPARE(Component<QTimer>(*form_, "Timer1").interval(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(bar.PanelText(0).startsWith("Time "), 1000);
    QVERIFY(bar.PanelText(1).startsWith("Date "));
    QTest::mouseMove(&Component<TPanel>(*form_, "Panel2"), QPoint(12, 180));
    QTRY_COMPARE(bar.PanelText(2), QString("Mouse 12 180"));
    auto* seven = form_->findChild<QWidget*>("SevenButton");
    QTest::mouseMove(seven, QPoint(3, 3));
    QTest::qWait(50);
    QCOMPARE(bar.PanelText(2), QString("Mouse 12 180"));
    QTest::mousePress(seven, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(seven, Qt::LeftButton, {}, QPoint(60, 60));  // released elsewhere
    QCOMPARE(Display(), QString("0"));
  }

  void the_display_is_right_aligned_and_a_long_text_keeps_its_last_characters_in_view() {
    auto* calcEdit = form_->findChild<TLabel*>("CalcEdit");
    const auto ink = [&](int from, int to) {  // dark text on the light label
      const QImage shot = calcEdit->grab().toImage();
      bool found = false;
      for (int y = 0; y < shot.height(); ++y)
        for (int x = from; x < to; ++x) found |= qGray(shot.pixel(x, y)) < 100;
      return found;
    };
    QVERIFY(!ink(0, calcEdit->width() - 20) && ink(calcEdit->width() - 20, calcEdit->width()));
    QGuiApplication::clipboard()->setText("1234567890123456789012345678901234567890111");
    Trigger(form_.get(), "Yaptr1");
    QVERIFY(ink(calcEdit->width() - 12, calcEdit->width()));
  }

  void about_and_function_are_modal_from_either_window_and_close_every_way() {
    QVERIFY(Centred(*form_));
    TAboutBox box;
    AboutBox = &box;
    // The drawer is built late, as the program builds it, and the menu asks for it first.
    std::optional<TForm1> lateDrawer;
    TApplication::Instance().BuildAfterFirstPaint([&] { Form1 = &lateDrawer.emplace(); });
    QCOMPARE(Form1, nullptr);
    ShowModalAndClose(
        "Function1", [] { return Form1; }, [] { Form1->close(); });
    TForm1& drawer = *lateDrawer;
    QWidget* ok = box.findChild<QWidget*>("OKButton");
    ShowModalAndClose("Hakknda1", box, [&] { QTest::mouseClick(ok, Qt::LeftButton); });
    ShowModalAndClose("Hakknda1", box, [&] { QTest::keyClick(ok, Qt::Key_Return); });
    Trigger(form_.get(), "Bilimsel1");
    ShowModalAndClose("Hakknda1", box, [&] { QTest::keyClick(ok, Qt::Key_Space); });
    ShowModalAndClose("Hakknda1", box, [&] { box.close(); });
    ShowModalAndClose("Function1", drawer, [&] { drawer.close(); });
    Trigger(SciCalcForm, "Standart1");
    ShowModalAndClose("Function1", drawer, [&] { drawer.close(); });
    AboutBox = nullptr;
    Form1 = nullptr;
    Trigger(form_.get(), "Function1");  // without a drawer nothing happens
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

  // A title bar holds the icon and three buttons, each about a line of the title's font high,
  // beside the title: at every scale of that font the box leaves them that room.
  void the_division_by_zero_and_fault_boxes_are_wide_enough_for_their_title() {
    auto& app = TApplication::Instance();
    app.SetMessageSink({});
    app.SetFaultSink({});
    const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    for (int points : {9, 14, 24}) {
      QFont font = titleFont;
      font.setPointSize(points);
      QApplication::setFont(font, "QMdiSubWindowTitleBar");
      const QFontMetrics metrics(font);
      const int needed = metrics.horizontalAdvance("Numora") + 4 * metrics.height();
      for (const auto& [box, keys] :
           {std::pair("MessageBox",
                      QStringList{"FiveButton", "DivideButton", "ZeroButton", "EqualButton"}),
            std::pair("FaultBox", QStringList{"FourButton", "SignButton", "RootButton"})}) {
        int width = 0;
        QTimer::singleShot(50, [&, name = box] {
          if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (shown->objectName() == name) width = shown->width();
            shown->reject();
          }
        });
        Click(form_.get(), "ClearButton");
        for (const QString& key : keys) Click(form_.get(), key);
        QVERIFY2(width >= needed, qPrintable(QString("%1 at %2 points: %3 pixels, %4 needed")
                                                 .arg(box)
                                                 .arg(points)
                                                 .arg(width)
                                                 .arg(needed)));
      }
    }
    QApplication::setFont(titleFont, "QMdiSubWindowTitleBar");
  }

  void the_about_box_has_its_pictures_texts_and_button() {
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QString(32, ' ') + "About");
    QCOMPARE(box.size(), QSize(302, 300));
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    for (const auto& [name, left] : {std::pair("ProgramIcon", 5), std::pair("Image1", 237)}) {
      auto& image = Component<TImage>(box, name);
      QCOMPARE(image.geometry(), QRect(left, 31, 60, 35));
      QVERIFY(image.stretch);
    }
    QCOMPARE(Component<TLabel>(box, "ProductName").Caption(), QString("Numora"));
    QVERIFY(!Component<TLabel>(box, "CommentsLabel").Caption().isEmpty());
    QVERIFY(!Component<TLabel>(box, "Label1").Caption().isEmpty());
    auto& ok = Component<TButton>(box, "OKButton");
    QCOMPARE(ok.geometry(), QRect(112, 208, 89, 25));
    QCOMPARE(ok.text(), QString("&Закрыть"));
    QVERIFY(ok.isDefault());
    QVERIFY(box.grab().save(NUMORA_BINARY_DIR "/screenshots/about.png"));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  RegisterJPEGImage();  // as the program does before creating its windows
  CalculatorFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "CalculatorFormTest.moc"
