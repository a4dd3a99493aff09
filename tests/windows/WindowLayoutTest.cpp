// The windows as their descriptions build them: every key where it belongs in both
// calculator windows, the window properties, the menus, the About box, and "&Function".
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "Components.h"
#include "Draw.h"
#include "Engine.h"
#include "FormBuilder.h"
#include "SciCalc.h"
#include "jpeg.h"

using namespace numora;

namespace {

class TQuietHost : public TEngineHost {
 public:
  void Beep() override {}
  void ShowMessage(const std::string&) override {}
};

enum TFont { K, B19, B11, W13, G13 };

struct TKeyRow {
  const char* name;
  const char* caption;
  int standardLeft, scientificLeft, top, width;
  TFont font;
};

// Lefts in the standard and the scientific window; a standard left of -1: scientific only.
const TKeyRow kKeys[] = {
    {"ClearAllButton", "C", 46, 143, 8, 71, W13},
    {"ClearButton", "CE", 148, 221, 8, 72, W13},
    {"BackButton", "Back", 252, 301, 8, 72, W13},
    {"MemClearBtn", "MC", 47, 143, 48, 33, B11},
    {"SevenButton", "7", 100, 180, 48, 33, K},
    {"EightButton", "8", 148, 220, 48, 33, K},
    {"NineButton", "9", 196, 260, 48, 33, K},
    {"DivideButton", "/", 244, 300, 48, 33, B19},
    {"RootButton", "Sqrt", 292, 340, 48, 33, B11},
    {"MemButton", "MR", 47, 143, 80, 33, B11},
    {"FourButton", "4", 100, 180, 80, 33, K},
    {"FiveButton", "5", 148, 220, 80, 33, K},
    {"SixButton", "6", 196, 260, 80, 33, K},
    {"MultiplyButton", "*", 244, 300, 80, 33, B19},
    {"PercentButton", "%", 292, 340, 80, 33, B11},
    {"SpeedButton22", "MS", 47, 143, 112, 33, B11},
    {"OneButton", "1", 100, 180, 112, 33, K},
    {"TwoButton", "2", 148, 220, 112, 33, K},
    {"ThreeButton", "3", 196, 260, 112, 33, K},
    {"MinusButton", "--", 244, 300, 112, 33, B19},
    {"AdverseButton", "1/x", 292, 340, 112, 33, B11},
    {"MemPlusBtn", "M+", 47, 143, 144, 33, B11},
    {"ZeroButton", "0", 100, 180, 144, 33, K},
    {"SignButton", "+/-", 148, 220, 144, 33, B19},
    {"CommaButton", ",", 196, 260, 144, 33, B19},
    {"PlusButton", "+", 244, 300, 144, 33, B19},
    {"EqualButton", "=", 292, 340, 144, 33, B11},
    {"ExpButton", "exp", -1, 54, 48, 33, G13},
    {"LnButton", "ln", -1, 94, 48, 33, G13},
    {"TanButton", "tan", -1, 14, 80, 33, G13},
    {"CosButton", "cos", -1, 54, 80, 33, G13},
    {"SinButton", "sin", -1, 94, 80, 33, G13},
    {"PiBtn", "Pi", -1, 14, 112, 33, G13},
    {"xUPyButton", "x^y", -1, 54, 112, 33, G13},
    {"LogButton", "log", -1, 94, 112, 33, G13},
    {"SquareButton", "x^2", -1, 14, 144, 33, G13},
    {"CubeButton", "x^3", -1, 54, 144, 33, G13},
    {"FactorButton", "n!", -1, 94, 144, 33, G13},
};

struct TFontLook {
  int pixels;
  QColor color;
};
TFontLook LookOf(TFont font) {
  switch (font) {
    case K:
      return {16, QColor(128, 0, 128)};
    case B19:
      return {19, QColor(0, 0, 255)};
    case B11:
      return {11, QColor(0, 0, 255)};
    case W13:
      return {13, QColor(0, 0, 0)};
    case G13:
      return {13, QColor(0, 128, 0)};
  }
  return {};
}

int KeysIn(const QWidget& panel) {
  int keys = 0;
  for (QObject* child : panel.children()) keys += dynamic_cast<TSpeedButton*>(child) != nullptr;
  return keys;
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

  TQuietHost host_;
  std::unique_ptr<TCalculatorEngine> engine_;
  std::unique_ptr<TCalculatorForm> form_;

  void CheckKeys(const QWidget& window, bool scientific) {
    int expected = 0;
    for (const TKeyRow& row : kKeys) {
      const int left = scientific ? row.scientificLeft : row.standardLeft;
      const auto* key = dynamic_cast<TSpeedButton*>(window.findChild<QObject*>(row.name));
      if (left < 0) {
        QVERIFY2(key == nullptr, row.name);
        continue;
      }
      ++expected;
      QVERIFY2(key != nullptr, row.name);
      QCOMPARE(key->parentWidget()->objectName(), QString("Panel2"));
      QCOMPARE(key->Caption(), QString::fromUtf8(row.caption));
      QCOMPARE(key->geometry(), QRect(left, row.top, row.width, 25));
      QCOMPARE(key->font().pixelSize(), LookOf(row.font).pixels);
      QVERIFY2(key->font().bold(), row.name);
      QCOMPARE(key->fontColor, LookOf(row.font).color);
      QCOMPARE(key->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(KeysIn(Component<TPanel>(window, "Panel2")), expected);
  }

 private slots:
  void init() {
    engine_ = std::make_unique<TCalculatorEngine>(host_);
    form_ = std::make_unique<TCalculatorForm>(*engine_);
    CalculatorForm = form_.get();
  }
  void cleanup() {
    form_.reset();
    Form1 = nullptr;
  }

  void the_standard_window_has_every_key_of_its_keypad() { CheckKeys(*form_, false); }

  void the_scientific_window_moves_the_inherited_keys_and_adds_eleven() {
    form_->findChild<QAction*>("Bilimsel1")->trigger();
    QVERIFY(SciCalcForm != nullptr);
    CheckKeys(*SciCalcForm, true);
    SciCalcForm->close();
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
    if (scientific) form_->findChild<QAction*>("Bilimsel1")->trigger();
    QMainWindow* window = scientific ? static_cast<QMainWindow*>(SciCalcForm) : form_.get();
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
    QCOMPARE(Component<TStatusBar>(*window, "StatusBar1").PanelCount(), 3);
    // Edit1 lies below the display strip it belongs to, so it never shows.
    const auto& edit1 = Component<TEdit>(*window, "Edit1");
    QVERIFY(!edit1.parentWidget()->rect().intersects(edit1.geometry()));
    if (scientific) SciCalcForm->close();
  }

  void the_status_panels_start_empty_and_the_timer_runs_every_100_ms() {
    auto& bar = Component<TStatusBar>(*form_, "StatusBar1");
    for (int panel = 0; panel < 3; ++panel) QCOMPARE(bar.PanelText(panel), QString());
    auto& timer = Component<QTimer>(*form_, "Timer1");
    QVERIFY(timer.isActive());
    QCOMPARE(timer.interval(), 100);
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
  }

  void function_shows_the_drawer_modally_from_either_window() {
    TForm1 drawer;
    Form1 = &drawer;
    form_->show();
    for (bool scientific : {false, true}) {
      if (scientific) form_->findChild<QAction*>("Bilimsel1")->trigger();
      QWidget* window = scientific ? static_cast<QWidget*>(SciCalcForm) : form_.get();
      bool modal = false;
      QTimer::singleShot(50, [&] {
        modal = QApplication::activeModalWidget() == &drawer;
        drawer.close();
      });
      QTimer watchdog;  // a window that refuses to close must not hang the test
      watchdog.setSingleShot(true);
      connect(&watchdog, &QTimer::timeout, &drawer, &QDialog::reject);
      watchdog.start(3000);
      window->findChild<QAction*>("Function1")->trigger();
      QVERIFY(watchdog.isActive());
      QVERIFY(modal);
      QVERIFY(!drawer.isVisible());
    }
    SciCalcForm->close();
    Form1 = nullptr;
  }

  void function_without_a_drawer_does_nothing() {
    Form1 = nullptr;
    form_->findChild<QAction*>("Function1")->trigger();
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

  void the_about_box_has_its_pictures_texts_and_button() {
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QString(32, ' ') + "About");
    QCOMPARE(box.size(), QSize(302, 300));
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    for (const char* name : {"ProgramIcon", "Image1"}) {
      auto& image = Component<TImage>(box, name);
      QCOMPARE(image.size(), QSize(60, 35));
      QVERIFY(image.stretch);
    }
    QCOMPARE(Component<TImage>(box, "ProgramIcon").x(), 5);
    QCOMPARE(Component<TImage>(box, "Image1").x(), 237);
    QCOMPARE(Component<TLabel>(box, "ProductName").Caption(), QString("Numora"));
    QVERIFY(!Component<TLabel>(box, "CommentsLabel").Caption().isEmpty());
    QVERIFY(!Component<TLabel>(box, "Label1").Caption().isEmpty());
    auto& ok = Component<TButton>(box, "OKButton");
    QCOMPARE(ok.geometry(), QRect(112, 208, 89, 25));
    QCOMPARE(ok.text(), QString("&Закрыть"));
    QVERIFY(ok.isDefault());
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  RegisterJPEGImage();  // as the program does before creating its windows
  WindowLayoutTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "WindowLayoutTest.moc"
