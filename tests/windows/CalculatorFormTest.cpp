// The standard window through its real components: keys by name, keys typed into Edit1,
// the Edit menu and the system clipboard, the status bar.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QtTest>

#include "About.h"
#include "Application.h"
#include "Calculator.h"
#include "Components.h"
#include "Engine.h"
#include "SciCalc.h"

using namespace numora;

namespace {

class TCountingHost : public TEngineHost {
 public:
  void Beep() override { numora::Beep(); }
  void ShowMessage(const std::string& text) override { numora::ShowMessage(text); }
};

}  // namespace

class CalculatorFormTest : public QObject {
  Q_OBJECT

 private:
  TCountingHost host_;
  std::unique_ptr<TCalculatorEngine> engine_;
  std::unique_ptr<TCalculatorForm> form_;
  std::vector<std::string> faults_, messages_;
  int beeps_ = 0;

  void Click(const char* key) {
    auto* button = form_->findChild<QWidget*>(key);
    QVERIFY2(button != nullptr, key);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  }
  QString Display() const { return form_->findChild<TLabel*>("CalcEdit")->Caption(); }
  TEdit* Edit1() const { return form_->findChild<TEdit*>("Edit1"); }
  void Trigger(const char* action) {
    auto* a = form_->findChild<QAction*>(action);
    QVERIFY2(a != nullptr, action);
    a->trigger();
  }

 private slots:
  void init() {
    auto& app = TApplication::Instance();
    app.SetFaultSink([this](const std::string& t) { faults_.push_back(t); });
    app.SetMessageSink([this](const std::string& t) { messages_.push_back(t); });
    app.SetBeepSink([this] { ++beeps_; });
    faults_.clear();
    messages_.clear();
    beeps_ = 0;
    engine_ = std::make_unique<TCalculatorEngine>(host_);
    form_ = std::make_unique<TCalculatorForm>(*engine_);
    CalculatorForm = form_.get();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    form_.reset();
    QCOMPARE(SciCalcForm, nullptr);
  }

  void ClickIn(QWidget* window, const char* key) {
    auto* button = window->findChild<QWidget*>(key);
    QVERIFY2(button != nullptr, key);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  }

  // Runs "&About" and, from inside its modal loop, closes the box with closer.
  void ShowAboutAndClose(const std::function<void(TAboutBox*)>& closer) {
    bool seen = false;
    QTimer::singleShot(50, [&] {
      seen = AboutBox->isVisible() && QApplication::activeModalWidget() == AboutBox;
      closer(AboutBox);
    });
    QTimer watchdog;  // never let a box that refuses to close hang the test
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { AboutBox->reject(); });
    watchdog.start(3000);
    Trigger("Hakknda1");
    QVERIFY(watchdog.isActive());
    QVERIFY(seen);
    QVERIFY(!AboutBox->isVisible());
  }

  void aboutIsModalAndClosedByItsButtonEnterSpaceAndCloseButton() {
    TAboutBox box;
    AboutBox = &box;
    ShowAboutAndClose([](TAboutBox* b) {
      QTest::mouseClick(b->findChild<QWidget*>("OKButton"), Qt::LeftButton);
    });
    ShowAboutAndClose(
        [](TAboutBox* b) { QTest::keyClick(b->findChild<QWidget*>("OKButton"), Qt::Key_Return); });
    ShowAboutAndClose(
        [](TAboutBox* b) { QTest::keyClick(b->findChild<QWidget*>("OKButton"), Qt::Key_Space); });
    ShowAboutAndClose([](TAboutBox* b) { b->close(); });
    QCOMPARE(box.findChild<QPushButton*>("OKButton")->text(), QString("&Закрыть"));
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QCOMPARE(box.grab().size(), QSize(302, 300));
    QVERIFY(box.grab().save(NUMORA_BINARY_DIR "/screenshots/about.png"));
    AboutBox = nullptr;
  }

  void viewEntriesAreDisabledForTheirOwnKind() {
    QVERIFY(!form_->findChild<QAction*>("Standart1")->isEnabled());
    QVERIFY(form_->findChild<QAction*>("Bilimsel1")->isEnabled());
    Trigger("Bilimsel1");
    QVERIFY(SciCalcForm->findChild<QAction*>("Standart1")->isEnabled());
    QVERIFY(!SciCalcForm->findChild<QAction*>("Bilimsel1")->isEnabled());
  }

  void scientificWindowTakesThePlaceOfTheStandardOne() {
    form_->move(120, 90);
    for (const char* key : {"TwoButton", "PlusButton", "ThreeButton", "EqualButton"}) Click(key);
    Trigger("Bilimsel1");
    QVERIFY(SciCalcForm != nullptr);
    QCOMPARE(SciCalcForm->windowTitle(), QString("Scientific"));
    QCOMPARE(SciCalcForm->pos(), form_->pos());
    QVERIFY(SciCalcForm->isVisible());
    QVERIFY(!form_->isVisible());
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("0"));
    // The engine goes on from the standard window's result.
    ClickIn(SciCalcForm, "FourButton");
    ClickIn(SciCalcForm, "EqualButton");
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("9"));
  }

  void scientificKeysAndPiWork() {
    Trigger("Bilimsel1");
    for (const char* key : {"ThreeButton", "ZeroButton", "SinButton"}) ClickIn(SciCalcForm, key);
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("0,50000000000003"));
    ClickIn(SciCalcForm, "PiBtn");
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("3,14159265358979"));
  }

  void standartSwitchesBackAndClearsTheReference() {
    Trigger("Bilimsel1");
    QPointer<TSciCalcForm> sci = SciCalcForm;
    sci->move(200, 150);
    sci->findChild<QAction*>("Standart1")->trigger();
    QCOMPARE(SciCalcForm, nullptr);
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->pos(), QPoint(200, 150));
    QTRY_VERIFY(sci.isNull());
  }

  void closingTheScientificWindowBringsTheStandardOneBack() {
    Trigger("Bilimsel1");
    SciCalcForm->close();
    QCOMPARE(SciCalcForm, nullptr);
    QVERIFY(form_->isVisible());
    Trigger("Bilimsel1");  // a fresh window every time
    QVERIFY(SciCalcForm != nullptr);
    QCOMPARE(SciCalcForm->findChild<TLabel*>("CalcEdit")->Caption(), QString("0"));
    SciCalcForm->close();
  }

  void rendersTheScientificWindowAtItsClientSize() {
    Trigger("Bilimsel1");
    QVERIFY(QTest::qWaitForWindowExposed(SciCalcForm));
    QCOMPARE(SciCalcForm->centralWidget()->grab().size(), QSize(393, 229));
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QVERIFY(SciCalcForm->grab().save(NUMORA_BINARY_DIR "/screenshots/scientific.png"));
    SciCalcForm->close();
  }

  void clickedKeysCalculateLeftToRight() {
    for (const char* key :
         {"TwoButton", "PlusButton", "ThreeButton", "MultiplyButton", "FourButton", "EqualButton"})
      Click(key);
    QCOMPARE(Display(), QString("20"));
  }

  void divisionByZeroShowsTheMessageAndBeeps() {
    for (const char* key : {"FiveButton", "DivideButton", "ZeroButton", "EqualButton"}) Click(key);
    QCOMPARE(Display(), QString("0"));
    QCOMPARE(messages_, std::vector<std::string>{"Division by Zero"});
    QCOMPARE(beeps_, 1);
  }

  void faultFromAKeyReachesTheReportAndTheWindowGoesOn() {
    for (const char* key : {"FourButton", "SignButton", "RootButton"}) Click(key);
    QCOMPARE(faults_.size(), size_t(1));
    QCOMPARE(Display(), QString("-4"));
    for (const char* key : {"NineButton", "EqualButton"}) Click(key);
    QCOMPARE(Display(), QString("3"));
  }

  void typedSumThenCopyLeavesFifteenOnTheClipboard() {
    QTest::keyClicks(Edit1(), "12");
    QTest::keyClick(Edit1(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(Edit1(), Qt::Key_3);
    QTest::keyClick(Edit1(), Qt::Key_Return);
    QCOMPARE(Display(), QString("15"));
    Trigger("Kopyala1");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("15"));
  }

  void pasteShowsTheClipboardText() {
    Trigger("Kopyala1");
    QGuiApplication::clipboard()->setText("42");
    Trigger("Yaptr1");
    QCOMPARE(Display(), QString("42"));
  }

  void lettersNeverReachEdit1() {
    Edit1()->setText("0");
    Edit1()->selectAll();
    QTest::keyClicks(Edit1(), "ab");
    QCOMPARE(Edit1()->text(), QString("0"));
  }

  void timerWritesTimeAndDate() {
    QTest::qWait(250);
    auto* bar = form_->findChild<TStatusBar*>("StatusBar1");
    QVERIFY(bar->PanelText(0).startsWith("Time "));
    QVERIFY(bar->PanelText(1).startsWith("Date "));
  }

  void mouseOverTheKeypadSurfaceIsShownAndOverAKeyIsNot() {
    auto* panel = form_->findChild<QWidget*>("Panel2");
    auto* bar = form_->findChild<TStatusBar*>("StatusBar1");
    QTest::mouseMove(panel, QPoint(12, 180));
    QTRY_COMPARE(bar->PanelText(2), QString("Mouse 12 180"));
    QTest::mouseMove(form_->findChild<QWidget*>("SevenButton"), QPoint(3, 3));
    QTest::qWait(50);
    QCOMPARE(bar->PanelText(2), QString("Mouse 12 180"));
  }

  void rendersTheWindowAtItsClientSize() {
    const QImage image = form_->centralWidget()->grab().toImage();
    QCOMPARE(image.size(), QSize(341, 254));
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QVERIFY(form_->grab().save(NUMORA_BINARY_DIR "/screenshots/standard.png"));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  CalculatorFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "CalculatorFormTest.moc"
