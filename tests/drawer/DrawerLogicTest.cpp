// The drawer's logic on the real evaluator and a clock that only moves when read: failures,
// slow motion, plots entered inside a pause, and the readout's one box per rejected text.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <cmath>
#include <functional>
#include <set>

#include "FormBuilder.h"
#include "HeadlessDrawer.h"

// The description lives in the drawer's static library.
static void InitDrawResources() { Q_INIT_RESOURCE(Draw); }

namespace numora {
namespace {

// A clock that advances by a fixed step at every reading; events run the test's hook.
class TFakePump : public TEventPump {
 public:
  std::chrono::nanoseconds now{1'000'000'000}, step = std::chrono::microseconds(250);
  int eventRounds = 0;
  bool open = true;
  std::function<void()> onEvents;
  void ProcessEvents() override { ++eventRounds, onEvents ? onEvents() : void(); }
  std::chrono::nanoseconds Now() override { return (now += step) - step; }
  bool WindowOpen() const override { return open; }
};

class TFailingSurface : public TRecordingSurface {
 public:
  int failAt = 0;
  void LineTo(int x, int y) override {
    if (int(segments.size()) + 1 == failAt) throw std::runtime_error("surface lost");
    TRecordingSurface::LineTo(x, y);
  }
};

class DrawerLogic : public ::testing::Test {
 protected:
  TF1Book book;
  TF1BookCells cells{book};
  TFailingSurface surface;
  TTextRecord texts;
  TFakePump pump;
  TDrawerLogic logic{TDrawerGeometry::Drawer(), surface, texts, pump, cells};

  void Plot(const std::string& formula) {
    texts.formula = formula;
    logic.Plot();
  }
};

TEST_F(DrawerLogic, EnterPlotsWithABluePenTwoPixelsWideAndErrorsEndThePlot) {
  char key = 'a';
  logic.Edit1KeyPress(key);
  EXPECT_EQ(surface.repaints, 0);
  texts.formula = "w";
  key = TDrawerLogic::kEnter;
  logic.Edit1KeyPress(key);
  EXPECT_EQ(key, TDrawerLogic::kEnter) << "the key is passed on unchanged";
  EXPECT_EQ(surface.repaints, 1);
  EXPECT_EQ(surface.segments.size(), 400u);
  EXPECT_EQ(surface.penWidth, 2);
  EXPECT_EQ(surface.penColor, 0x0000FFu);
  // A rejected formula ends the plot while filling: drawn nothing, cells and flag kept.
  logic.SpeedButton1Click();
  EXPECT_THROW(Plot("2+"), EF1BookError);
  EXPECT_EQ(surface.repaints, 2);
  EXPECT_TRUE(surface.segments.empty());
  EXPECT_TRUE(logic.SlowMotion());
  EXPECT_EQ(book.GetCellNumber(1, 2), 200.0);
  EXPECT_EQ(texts.label5, "F(w) = 200");
  // An error while drawing keeps the segments so far and ends slow motion.
  surface.failAt = 50;
  EXPECT_THROW(Plot("w"), std::runtime_error);
  EXPECT_EQ(surface.segments.size(), 49u);
  EXPECT_FALSE(logic.SlowMotion());
}

TEST_F(DrawerLogic, SlowMotionPausesAtLeastAMillisecondBeforeEverySegmentForOnePlot) {
  logic.SpeedButton1Click();
  logic.SpeedButton1Click();
  Plot("3");
  EXPECT_EQ(pump.eventRounds, 0) << "two clicks give a plot at normal speed";
  std::set<std::size_t> pausedBefore;
  pump.onEvents = [&] { pausedBefore.insert(surface.segments.size()); };
  logic.SpeedButton1Click();
  const auto start = pump.now;
  Plot("3");
  EXPECT_FALSE(logic.SlowMotion());
  EXPECT_EQ(pausedBefore.size(), 400u) << "one pause before each segment";
  EXPECT_EQ(*pausedBefore.rbegin(), 399u);
  // The clock moves 0.25 ms per reading: a pause of 1 ms reads it five times, handles events
  // at three of them.
  EXPECT_EQ(pump.eventRounds, 3 * 400);
  EXPECT_GE(pump.now - start, std::chrono::milliseconds(400));
  Plot("3");
  EXPECT_EQ(pump.eventRounds, 3 * 400) << "the next plot runs at normal speed";
  // A pause handles no event when its first reading is past the deadline.
  pump.step = std::chrono::milliseconds(5);
  logic.Pause(0, 1);
  pump.step = std::chrono::milliseconds(1);
  logic.Pause(1, 500);
  EXPECT_EQ(pump.eventRounds, 3 * 400 + 1499);
}

TEST_F(DrawerLogic, ClickInsideAPauseLetsTheRestOfThePlotRunWithoutPauses) {
  pump.onEvents = [&] {
    if (surface.segments.size() == 10 && logic.SlowMotion()) logic.SpeedButton1Click();
  };
  logic.SpeedButton1Click();
  Plot("1");
  EXPECT_EQ(pump.eventRounds, 3 * 11) << "the pause under way runs to its end";
  EXPECT_EQ(surface.segments.size(), 400u);
}

TEST_F(DrawerLogic, WindowClosedInsideAPauseEndsThePlotThereAndItsSlowMotion) {
  pump.onEvents = [&] { pump.open = surface.segments.size() < 10; };
  logic.SpeedButton1Click();
  Plot("1");
  EXPECT_EQ(surface.segments.size(), 10u);
  EXPECT_EQ(pump.eventRounds, 3 * 10 + 1) << "the pause under way ends with the window";
  EXPECT_FALSE(logic.SlowMotion());
}

TEST_F(DrawerLogic, PlotEnteredInsideAPauseRunsWholeAndTheInterruptedOneGoesOnWithoutPauses) {
  bool nested = false, done = false;
  int outerRounds = 0;
  pump.onEvents = [&] {
    if (nested) return;
    ++outerRounds;
    if (done || surface.segments.size() < 9) return;
    nested = done = true;
    texts.formula = "5";
    char enter = TDrawerLogic::kEnter;
    logic.Edit1KeyPress(enter);  // still in slow motion: this plot pauses too
    nested = false;
  };
  logic.SpeedButton1Click();
  Plot("1");
  EXPECT_FALSE(logic.SlowMotion());
  // The nested plot moved the clock past the deadline of the pause it ran in.
  EXPECT_EQ(outerRounds, 3 * 9 + 1) << "the outer plot pauses no more after the nested one";
  EXPECT_EQ(pump.eventRounds, outerRounds + 3 * 400);
  // The nested plot's 400 segments, then the outer plot from its tenth segment on, reading
  // the cells as the nested plot left them.
  ASSERT_EQ(surface.segments.size(), 400u + 391u);
  EXPECT_EQ(surface.segments[400], (TSegment{125, 220, 126, 220}));
  for (const TSegment& s : surface.segments) EXPECT_EQ(s.y1, 220);
  EXPECT_EQ(texts.label5, "F(w) = 5");
}

struct TContinuityCase {
  const char* formula;
  double (*F)(double);     // the same function, computed here
  std::set<int> cutAfter;  // the w of each segment's first end where a pole lies in between
};

// Every segment with a part on the picture is drawn, but none across a pole, however steep
// the curve is elsewhere. The readout after the plot is as ever.
TEST_F(DrawerLogic, NoSegmentCrossesAPoleAndContinuousCurvesKeepEverySegment) {
  const TContinuityCase cases[] = {
      {"tan(w/50)", [](double w) { return std::tan(w / 50); }, {-79, 78}},
      {"100/(w-0.5)", [](double w) { return 100 / (w - 0.5); }, {0}},
      {"100/(w-0.3)^2", [](double w) { return 100 / ((w - 0.3) * (w - 0.3)); }, {0}},
      {"tan(w/50)/100", [](double w) { return std::tan(w / 50) / 100; }, {-79, 78}},
      {"w*w*w/1000", [](double w) { return w * w * w / 1000; }, {}},
      {"exp(w/20)", [](double w) { return std::exp(w / 20); }, {}},
      {"200*sin(w/3)", [](double w) { return 200 * std::sin(w / 3); }, {}},
      {"Sin((w/10+sin(w/10)*10+cos(w/10)*10)/10)*100+w/10+5",
       [](double w) {
         return std::sin((w / 10 + std::sin(w / 10) * 10 + std::cos(w / 10) * 10) / 10) * 100 +
                w / 10 + 5;
       },
       {}},
  };
  for (const TContinuityCase& c : cases) {
    Plot(c.formula);
    std::vector<int> expected, drawn;
    for (int w = -200; w < 200; ++w) {
      const double y1 = 225 - c.F(w), y2 = 225 - c.F(w + 1);
      const bool onPicture = std::max(y1, y2) >= -2 && std::min(y1, y2) <= 440;
      if (onPicture && !c.cutAfter.count(w)) expected.push_back(w);
    }
    for (const TSegment& s : surface.segments) drawn.push_back(s.x1 - 316);
    EXPECT_EQ(drawn, expected) << c.formula;
    EXPECT_EQ(texts.label4, "    w  = 200") << c.formula;
    EXPECT_EQ(texts.label5, "F(w) = " + std::to_string(std::lround(c.F(200)))) << c.formula;
  }
  Plot("50/sin(w*PI()+1)");
  EXPECT_TRUE(surface.segments.empty()) << "a pole in every segment";
  logic.SpeedButton1Click();
  Plot("tan(w/50)");
  EXPECT_EQ(pump.eventRounds, 3 * 400) << "slow motion pauses before every segment";
}

// The window description is the one source of the plot's place: moving the axis lines moves
// the curve and the readouts, shrinking the picture cuts the curve at its new edge.
TEST_F(DrawerLogic, AChangedDescriptionMovesThePlotAndTheReadouts) {
  InitDrawResources();
  QJsonObject description = LoadFormDescription(":/drawer/Draw.json");
  QJsonArray components = description["components"].toArray();
  for (QJsonValueRef c : components) {
    QJsonObject component = c.toObject();
    const QString name = component["name"].toString();
    if (name == "Panel2") component["left"] = 300;
    if (name == "Panel1") component["top"] = 200;
    if (name == "Image1") component["height"] = 300;
    if (name == "Edit1") component["text"] = "2*w";
    c = component;
  }
  description["components"] = components;
  const TDrawerGeometry geometry(description);
  EXPECT_EQ(geometry.initialFormula, "2*w");
  TDrawerLogic moved{geometry, surface, texts, pump, cells};
  texts.formula = geometry.initialFormula;
  moved.Plot();
  // F = 2w reaches the bottom row 300 + 2 at w = -51, the top row -2 at w = 101: the
  // segments toward them keep only those ends.
  ASSERT_EQ(surface.segments.size(), 154u);
  EXPECT_EQ(surface.segments[1], (TSegment{249, 302, 250, 300}));
  EXPECT_EQ(surface.segments[152], (TSegment{400, 0, 401, -2}));
  moved.FormMouseMove(301, 100);
  EXPECT_EQ(texts.panels, (std::array<std::string, 3>{"x = 1", "y = 100", "f(w) = 2"}));
  EXPECT_EQ(geometry.TargetAt(300, 50), TMouseTarget::VerticalAxis);
  EXPECT_EQ(geometry.TargetAt(316, 50), TMouseTarget::Picture);
}

TEST_F(DrawerLogic, AxisLinesSetOnlyTheirOwnPanelToABareZero) {
  texts.panels = {"x = 5", "y = 6", "f(w) = 7"};
  logic.Panel1MouseMove();
  EXPECT_EQ(texts.panels, (std::array<std::string, 3>{"x = 5", "0", "f(w) = 7"}));
  logic.Panel2MouseMove();
  EXPECT_EQ(texts.panels, (std::array<std::string, 3>{"0", "0", "f(w) = 7"}));
  EXPECT_EQ(book.GetCellNumber(1, 3), 0) << "no readout";
}

// The window test follows the rest: a box at Enter counts, another text opens another box.
TEST_F(DrawerLogic, ARejectedTextOpensABoxAgainOnceAMoveWentThrough) {
  texts.formula = "w+";
  EXPECT_THROW(logic.FormMouseMove(317, 100), EF1BookError);
  EXPECT_NO_THROW(logic.FormMouseMove(317, 100));
  EXPECT_EQ(
      texts.panels[2],
      "at character 3: " + std::string("expected a number, a cell reference, a function or \"(\""));
  texts.formula = "w";
  logic.FormMouseMove(317, 100);
  texts.formula = "w+";
  EXPECT_THROW(logic.FormMouseMove(317, 100), EF1BookError);
}

}  // namespace
}  // namespace numora
