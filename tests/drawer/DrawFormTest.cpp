// The drawer window through its real components: Enter typed into Edit1, the pointer over
// Image1 and the axis lines, clicks on SpeedButton1, and what the window shows.
#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

#include "Application.h"
#include "Components.h"
#include "Draw.h"
#include "DrawerGeometry.h"
#include "HeadlessDrawer.h"
#include "graphics/Picture.h"
#include "jpeg.h"

using namespace numora;

namespace {

bool IsCurveBlue(QRgb pixel) {
  return qBlue(pixel) > 200 && qRed(pixel) < 60 && qGreen(pixel) < 60;
}
bool IsAxisRed(QRgb pixel) { return qRed(pixel) > 200 && qBlue(pixel) < 60 && qGreen(pixel) < 60; }

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
  // How many starts of the segments the same formula gives without a window are blue, of
  // those no control covers.
  static std::pair<int, int> BluePoints(const QImage& shot, const std::string& formula) {
    THeadlessDrawer drawer;
    drawer.texts.formula = formula;
    drawer.logic.Plot();
    int blue = 0, bare = 0;
    for (const TSegment& s : drawer.surface.segments) {
      const TDrawerGeometry& geometry = TDrawerGeometry::Drawer();
      if (geometry.TargetAt(s.x1, s.y1) != TMouseTarget::Picture ||
          geometry.TargetAt(s.x1 + 1, s.y1) != TMouseTarget::Picture)
        continue;
      ++bare;
      blue += IsCurveBlue(shot.pixel(s.x1, s.y1));
    }
    return {blue, bare};
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

  // Places and sizes are the description's own; what the window adds to it is checked here.
  void componentsHaveTheirNamesAndTexts() {
    QCOMPARE(form_->windowTitle(), QString("Function Drawer"));
    for (const char* name : {"Image1", "Label1", "SpeedButton1", "StatusBar1", "Panel1", "Panel2",
                             "Panel3", "F1Book", "Button1"})
      QVERIFY2(Child(name) != nullptr, name);
    QCOMPARE(Caption("Label1"), QString("F(w) ="));
    QCOMPARE(Caption("Label4"), QString("   w   = 0"));
    QCOMPARE(Caption("Label5"), QString("F(w) = 0"));
    QCOMPARE(Edit1()->text().toStdString(), TDrawerGeometry::Drawer().initialFormula);
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
    // Stretched over the whole picture control: no window colour shows at its corners.
    const QImage shot = Child("Image1")->grab().toImage();
    for (QPoint p : {QPoint(637, 0), QPoint(637, 437)})
      QVERIFY(shot.pixel(p) != qRgb(240, 240, 240));
  }

  // The stored picture, decoded and stretched as the window draws it, carries a grid whose
  // lines lie on every 10th unit of w and F from the origin, every 50th stronger, and nowhere
  // else: values read against it are right.
  void pictureGridLinesLieOnTheTenthsOfThePlotsUnits() {
    const QImage shot = Child("Image1")->grab().toImage();
    const TDrawerGeometry& geometry = TDrawerGeometry::Drawer();
    QCOMPARE(shot.size(), QSize(geometry.picture.width, geometry.picture.height));
    // How much darker each column (row) is on average than the ones two pixels either side.
    const auto depths = [&](bool columns) {
      const int lines = columns ? shot.width() : shot.height();
      const int along = columns ? shot.height() : shot.width();
      std::vector<double> mean(lines, 0.0), depth(lines, 0.0);
      for (int i = 0; i < lines; ++i)
        for (int j = 0; j < along; ++j)
          mean[i] += qGray(columns ? shot.pixel(i, j) : shot.pixel(j, i)) / double(along);
      for (int i = 2; i + 2 < lines; ++i) depth[i] = (mean[i - 2] + mean[i + 2]) / 2 - mean[i];
      return depth;
    };
    for (const bool columns : {true, false}) {
      const std::vector<double> depth = depths(columns);
      const int origin =
          columns ? geometry.x0 - geometry.picture.left : geometry.y0 - geometry.picture.top;
      for (int i = 3; i + 3 < int(depth.size()); ++i) {
        const int unit = columns ? i - origin : origin - i;
        const QString where =
            QString("%1 %2: depth %3").arg(columns ? "column" : "row").arg(i).arg(depth[i]);
        if (unit % 10 == 0) {
          // On its own line: darker than the pixels beside it, which catch a little of it.
          QVERIFY2(depth[i] >= (unit % 50 == 0 ? 10.0 : 4.0), qPrintable(where));
          QVERIFY2(depth[i] > depth[i - 1] + 1 && depth[i] > depth[i + 1] + 1, qPrintable(where));
        } else if (std::abs(unit % 10) != 1 && std::abs(unit % 10) != 9) {
          QVERIFY2(depth[i] < 2.0, qPrintable(where));
        }
      }
    }
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
        // The message only for a failure: 290 000 of them slow a sanitizer build down.
        if (TDrawerGeometry::Drawer().TargetAt(x, y) != expected)
          QFAIL(qPrintable(QString("%1, %2 over %3").arg(x).arg(y).arg(name)));
      }
    }
  }

  void enterPlotsTheFormulaInBlueUnderTheControlsUntilTheNextRepaint() {
    PressEnter();
    QCOMPARE(Caption("Label4") + Caption("Label5"), QString("    w  = 200F(w) = 7"));
    QVERIFY(faults_.empty());
    QImage shot = Shot();
    const auto [blue, bare] = BluePoints(shot, TDrawerGeometry::Drawer().initialFormula);
    QVERIFY(blue == bare && bare > 300);
    // Where the curve crosses the axis lines, they are in front: F(0) = 100 sin(1) + 5.
    QVERIFY(IsAxisRed(shot.pixel(316, 225 - 89)) && IsAxisRed(shot.pixel(10, 225)));
    QDir().mkpath(NUMORA_BINARY_DIR "/screenshots");
    QVERIFY(form_->grab().save(NUMORA_BINARY_DIR "/screenshots/drawer.png"));
    Type("7");
    QVERIFY(BluePoints(Shot(), TDrawerGeometry::Drawer().initialFormula).first < 10);
    Type("sin(w)*1e10");  // across the picture from ends far beyond any pixel
    shot = Shot();
    QVERIFY(IsCurveBlue(shot.pixel(118, 300)) && IsCurveBlue(shot.pixel(514, 100)));
    form_->hide();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QVERIFY(!IsCurveBlue(Shot().pixel(118, 300)));
    QCOMPARE(Caption("Label5"), QString("F(w) = -8732972972"));
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
    Edit1()->setText("");  // another text: one more box, then the panel
    for (int x : {330, 340}) {
      QTest::mouseMove(Child("Image1"), QPoint(x, 50));
      QTRY_COMPARE(Panel(0), QString("x = %1").arg(x - 316));
    }
    QCOMPARE(faults_.size(), std::size_t(2));
    QVERIFY(Panel(2).startsWith("at character 1: "));
  }

  void slowMotionShowsEachSegmentAsItIsDrawnForOnePlot() {
    QTest::mouseClick(Child("SpeedButton1"), Qt::LeftButton, {}, QPoint(5, 5));
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

  void readoutBoxGrowsInPlaceUntilTheLabelsShowTheirWholeTexts() {
    // clang-format off
    const struct { const char* formula; const char* label5; int storedWidth; } rows[] = {
        {"7", "F(w) = 7", 105},                      // a short value: the stored box
        {"w^5", "F(w) = 320000000000", 0},           // 200^5, wider than the stored box
        {"-w^5", "F(w) = -320000000000", 0},
        {"exp(w)", "F(w) = 7,22597376812575E86", 0},  // beyond any 64-bit integer
        {"7", "F(w) = 7", 105},                      // short again: the stored box again
    };
    // clang-format on
    auto* panel3 = Child<TPanel>("Panel3");
    for (const auto& row : rows) {
      Type(row.formula);
      QCOMPARE(Caption("Label5"), QString(row.label5));
      QCOMPARE(panel3->pos(), QPoint(-3, 0));
      QCOMPARE(panel3->height(), 41);
      if (row.storedWidth != 0) QCOMPARE(panel3->width(), row.storedWidth);
      const QRect inside = panel3->rect().adjusted(1, 1, -1, -1);  // within the bevel
      for (const char* name : {"Label4", "Label5"}) {
        auto* label = Child<TLabel>(name);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->Caption()) <= label->width(),
                 qPrintable(label->Caption()));
        QVERIFY2(inside.contains(label->geometry()), row.formula);
      }
    }
  }

  void drawerClosedInsideASlowPlotShowsAgainWhenAskedForAtOnce() {
    QTest::failOnWarning(QRegularExpression("Recursive call"));
    form_->hide();
    QWidget owner;
    owner.show();
    QTimer::singleShot(0, [&] {  // inside the modal showing
      QTest::mouseClick(Child("SpeedButton1"), Qt::LeftButton, {}, QPoint(5, 5));
      Edit1()->setText("7");
      QTimer::singleShot(100, [&] {  // inside a pause of the plot
        form_->close();
        TApplication::Instance().ShowModal(*form_, &owner);  // View > Function at once
      });
      PressEnter();
    });
    QElapsedTimer clock;
    clock.start();
    TApplication::Instance().ShowModal(*form_, &owner);
    QVERIFY2(clock.elapsed() < 400, "the plot ran on after its window closed");
    QVERIFY(!form_->SlowMotion());
    bool shownAgain = false;
    QTimer::singleShot(0, [&] {  // inside the second showing
      shownAgain = form_->isVisible();
      form_->close();
    });
    QTRY_VERIFY(shownAgain);
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  RegisterJPEGImage();  // as the program does before creating its windows
  DrawFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "DrawFormTest.moc"
