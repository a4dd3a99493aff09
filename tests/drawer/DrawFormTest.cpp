// The drawer window through its real components: Enter typed into Edit1, the pointer over
// Image1 and the axis lines, clicks on SpeedButton1, and what the window shows.
#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

#include "Application.h"
#include "Components.h"
#include "Draw.h"
#include "DrawerLayout.h"
#include "HeadlessDrawer.h"
#include "graphics/Picture.h"
#include "jpeg.h"

using namespace numora;

namespace {

bool IsCurveBlue(QRgb pixel) {
  return qBlue(pixel) > 200 && qRed(pixel) < 60 && qGreen(pixel) < 60;
}
bool IsAxisRed(QRgb pixel) { return qRed(pixel) > 200 && qBlue(pixel) < 60 && qGreen(pixel) < 60; }

// Points of a segment's start that no control covers.
bool OnBarePicture(const TSegment& s) {
  return MouseTargetAt(s.x1, s.y1) == TMouseTarget::Picture &&
         MouseTargetAt(s.x1 + 1, s.y1) == TMouseTarget::Picture;
}

}  // namespace

class DrawFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TForm1> form_;
  std::vector<std::string> faults_;

  template <class T = QWidget>
  T* Child(const char* name) const {
    return form_->findChild<T*>(name);
  }
  TEdit* Edit1() const { return Child<TEdit>("Edit1"); }
  QString Caption(const char* label) const { return Child<TLabel>(label)->Caption(); }
  QString Panel(int index) const { return Child<TStatusBar>("StatusBar1")->PanelText(index); }
  void PressEnter() { QTest::keyClick(Edit1(), Qt::Key_Return); }
  void Type(const QString& formula) {
    Edit1()->setText(formula);
    PressEnter();
  }
  QImage Shot() const { return form_->grab().toImage(); }
  // The segments the same formula gives without a window.
  static std::vector<TSegment> Expected(const std::string& formula) {
    THeadlessDrawer drawer;
    drawer.texts.formula = formula;
    drawer.logic.Plot();
    return drawer.surface.segments;
  }
  struct TBlueCount {
    int blue = 0, bare = 0;  // of the segments' starts where no control covers the picture
  };
  static TBlueCount BluePoints(const QImage& shot, const std::vector<TSegment>& segments) {
    TBlueCount count;
    for (const TSegment& s : segments) {
      if (!OnBarePicture(s)) continue;
      ++count.bare;
      if (IsCurveBlue(shot.pixel(s.x1, s.y1))) ++count.blue;
    }
    return count;
  }

 private slots:
  void init() {
    TApplication::Instance().SetFaultSink([this](const std::string& t) { faults_.push_back(t); });
    faults_.clear();
    form_ = std::make_unique<TForm1>();
    Form1 = form_.get();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void componentsHaveTheirNamesPlacesAndTexts() {
    QCOMPARE(form_->windowTitle(), QString("Function Drawer"));
    QCOMPARE(form_->size(), QSize(638, 457));
    // clang-format off
    const struct { const char* name; QRect geometry; QString text; } places[] = {
        {"Image1", {0, 0, 638, 438}, ""}, {"Label1", {0, 416, 60, 20}, "F(w) ="},
        {"Edit1", {58, 416, 432, 20}, "Sin((w/10+sin(w/10)*10+cos(w/10)*10)/10)*100+w/10+5"},
        {"SpeedButton1", {493, 408, 43, 32}, ""}, {"StatusBar1", {0, 438, 638, 19}, ""},
        {"Panel1", {0, 225, 632, 1}, ""}, {"Panel2", {316, 0, 1, 435}, ""},
        {"Panel3", {-3, 0, 105, 41}, ""}, {"F1Book", {568, 496, 49, 33}, ""},
        {"Button1", {480, 528, 75, 25}, ""}, {"Label4", {3, 3, -1, -1}, "   w   = 0"},
        {"Label5", {3, 19, -1, -1}, "F(w) = 0"},
    };
    // clang-format on
    for (const auto& place : places) {
      QWidget* w = Child(place.name);
      QVERIFY2(w != nullptr, place.name);
      QCOMPARE(place.geometry.width() < 0 ? QRect(w->pos(), place.geometry.size()) : w->geometry(),
               place.geometry);
      if (auto* label = dynamic_cast<TLabel*>(w)) QCOMPARE(label->Caption(), place.text);
    }
    QCOMPARE(Edit1()->text(), places[2].text);
    QCOMPARE(Child("Label4")->parentWidget(), Child("Panel3"));
    QVERIFY(!Child("F1Book")->isVisible());
    for (QWidget* w : {static_cast<QWidget*>(form_.get()), Child("Edit1")})
      QCOMPARE(w->toolTip(), QString("Press ENTER to Draw"));
    QCOMPARE(Child("SpeedButton1")->toolTip(), QString("SlowMotion"));
    QCOMPARE(Child<TSpeedButton>("SpeedButton1")->glyph.size(), QSize(32, 32));
    QCOMPARE(Child<TStatusBar>("StatusBar1")->PanelCount(), 3);
    for (int i = 0; i < 3; ++i) QCOMPARE(Panel(i), QString());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit1()));
  }

  void pictureIsReadAtCreationAndDrawnOnlyWhenShown() {
    TForm1 hidden;
    QVERIFY(hidden.Picture().Graphic() != nullptr);
    QVERIFY(!hidden.PictureDrawn());
    QVERIFY(form_->PictureDrawn());
    QVERIFY(form_->Picture().Width() > 0);
    // Stretched over the whole picture control: no window colour shows at its corners.
    const QImage shot = Child("Image1")->grab().toImage();
    QVERIFY(shot.pixel(637, 0) != QColor(240, 240, 240).rgb());
    QVERIFY(shot.pixel(637, 437) != QColor(240, 240, 240).rgb());
  }

  void pointerReachesTheComponentTheHeadlessLayoutNames() {
    for (int y = 0; y < 457; ++y) {
      for (int x = 0; x < 638; ++x) {
        QWidget* w = form_->childAt(x, y);
        const QString name = w ? w->objectName() : QString();
        const TMouseTarget expected = name == "Image1"   ? TMouseTarget::Picture
                                      : name == "Panel1" ? TMouseTarget::HorizontalAxis
                                      : name == "Panel2" ? TMouseTarget::VerticalAxis
                                      : w == nullptr     ? TMouseTarget::Picture
                                                         : TMouseTarget::Other;
        QVERIFY2(MouseTargetAt(x, y) == expected,
                 qPrintable(QString("%1, %2 over %3").arg(x).arg(y).arg(name)));
      }
    }
  }

  void enterPlotsTheFormulaInBlueUnderTheControls() {
    PressEnter();
    QCOMPARE(Caption("Label4"), QString("    w  = 200"));
    QCOMPARE(Caption("Label5"), QString("F(w) = 7"));
    QVERIFY(faults_.empty());
    const QImage shot = Shot();
    const std::vector<TSegment> expected = Expected(TDrawerLogic::kInitialFormula);
    const TBlueCount count = BluePoints(shot, expected);
    QCOMPARE(count.blue, count.bare);
    QVERIFY(count.bare > 300);
    // Where the curve crosses the vertical axis line, the line is in front.
    const TSegment& atZero = expected[200];
    QCOMPARE(atZero.x1, 316);
    QVERIFY(IsAxisRed(shot.pixel(316, atZero.y1)));
    QVERIFY(IsAxisRed(shot.pixel(10, 225)));
    Type("sin(w)*1e10");  // drawn across the picture, cut in floating point
    QVERIFY(IsCurveBlue(Shot().pixel(118, 300)) && IsCurveBlue(Shot().pixel(514, 100)));
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QVERIFY(form_->grab().save(NUMORA_BINARY_DIR "/screenshots/drawer.png"));
  }

  void nextEnterAndShowingAgainRemoveTheCurve() {
    PressEnter();
    const std::vector<TSegment> first = Expected(TDrawerLogic::kInitialFormula);
    Type("7");
    QImage shot = Shot();
    const TBlueCount count = BluePoints(shot, first);
    QVERIFY(count.blue < count.bare / 10);
    QVERIFY(IsCurveBlue(shot.pixel(400, 218)));
    form_->hide();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QVERIFY(!IsCurveBlue(Shot().pixel(400, 218)));
    QCOMPARE(Caption("Label5"), QString("F(w) = 7"));
  }

  void pointerReadsOutAndARejectedTextGoesToTheFaultReportOnce() {
    QTest::mouseMove(Child("Image1"), QPoint(317, 100));
    QTRY_COMPARE(Panel(0), QString("x = 1"));
    QCOMPARE(Panel(1), QString("y = 125"));
    QCOMPARE(Panel(2), QString("f(w) = 94,4391231815426"));
    QTest::mouseMove(Child("Panel2"), QPoint(0, 300));
    QTRY_COMPARE(Panel(0), QString("0"));
    PressEnter();
    Type("sin(");
    QCOMPARE(faults_.size(), std::size_t(1));
    QVERIFY(!IsCurveBlue(Shot().pixel(400, 218)));
    QCOMPARE(Caption("Label5"), QString("F(w) = 7"));
    QTest::mouseMove(Child("Image1"), QPoint(320, 50));
    QTRY_COMPARE(Panel(0), QString("x = 4"));
    QCOMPARE(Panel(2), QString("at character 1: SIN takes 1 argument"));
    Edit1()->setText("");
    for (int x : {330, 340}) {
      QTest::mouseMove(Child("Image1"), QPoint(x, 50));
      QTRY_COMPARE(Panel(0), QString("x = %1").arg(x - 316));
    }
    QCOMPARE(Panel(1), QString("y = 175"));
    QCOMPARE(faults_.size(), std::size_t(2));
    QVERIFY(Panel(2).startsWith("at character 1: "));
  }

  void slowMotionShowsEachSegmentAsItIsDrawnForOnePlot() {
    QWidget* button = Child("SpeedButton1");
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(form_->SlowMotion());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!form_->SlowMotion());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(form_->SlowMotion());

    Edit1()->setText("7");
    QString midLabel;
    bool midBlue = true, midAhead = true;
    QTimer::singleShot(150, [&] {
      midLabel = Caption("Label4");
      const QImage shot = Shot();
      midBlue = IsCurveBlue(shot.pixel(117, 218));   // the first segments are there
      midAhead = IsCurveBlue(shot.pixel(510, 218));  // the last ones not yet
    });
    QElapsedTimer clock;
    clock.start();
    PressEnter();
    QVERIFY(clock.elapsed() >= 400);
    QVERIFY(!form_->SlowMotion());
    QVERIFY2(midLabel.startsWith("    w  = ") && midLabel != "    w  = 200", qPrintable(midLabel));
    QVERIFY(midBlue);
    QVERIFY(!midAhead);
    QVERIFY(IsCurveBlue(Shot().pixel(510, 218)));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  RegisterJPEGImage();  // as the program does before creating its windows
  DrawFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "DrawFormTest.moc"
