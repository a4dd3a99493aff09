// Plotting rules of the drawer on scripted cell values: geometry, rounding, values no pixel
// holds, failures, slow motion and plots re-entered from inside a pause.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "DrawerFakes.h"
#include "DrawerLogic.h"
#include "HeadlessDrawer.h"

namespace numora {
namespace {

using test::TFakePump;
using test::TScriptedCells;

class DrawerLogic : public ::testing::Test {
 protected:
  TRecordingSurface surface;
  TTextRecord texts;
  TFakePump pump;
  TScriptedCells cells;
  TDrawerLogic logic{surface, texts, pump, cells};

  void PlotConstant(double f) {
    cells.F = [f](double) { return f; };
    logic.Plot();
  }
};

TEST_F(DrawerLogic, EnterPlotsAndOtherKeysDoNothing) {
  char key = 'a';
  logic.Edit1KeyPress(key);
  EXPECT_EQ(surface.repaints, 0);
  key = TDrawerLogic::kEnter;
  logic.Edit1KeyPress(key);
  EXPECT_EQ(key, TDrawerLogic::kEnter) << "the key is passed on unchanged";
  EXPECT_EQ(surface.repaints, 1);
  EXPECT_EQ(surface.segments.size(), 400u);
}

TEST_F(DrawerLogic, FillsEveryRowBeforeReadingAnyNumberInTheOrderOfTheCalls) {
  texts.formula = "w*W";
  logic.Plot();
  ASSERT_GE(cells.log.size(), 5u * 401u);
  const std::vector<std::string> firstRow(cells.log.begin(), cells.log.begin() + 5);
  EXPECT_EQ(firstRow,
            (std::vector<std::string>{"SelectCell 1 1", "PutCellEntry 1 1 -200", "GetSelectedCell",
                                      "CellReference 1 1 false", "PutCellFormula 1 2"}));
  EXPECT_EQ(cells.log[5 * 400 + 1], "PutCellEntry 401 1 200");
  for (std::size_t i = 5 * 401; i < cells.log.size(); ++i)
    EXPECT_EQ(cells.log[i].rfind("GetCellNumber", 0), 0u) << cells.log[i];
  EXPECT_EQ((cells.formulas[{7, 2}]), "-(R7C1*R7C1)");
}

TEST_F(DrawerLogic, DrawsEachSegmentFromItsOwnMoveWithABluePenTwoPixelsWide) {
  cells.F = [](double w) { return w / 2; };
  logic.Plot();
  EXPECT_EQ(surface.penWidth, 2);
  EXPECT_EQ(surface.penColor, 0x0000FFu);
  ASSERT_EQ(surface.segments.size(), 400u);
  EXPECT_EQ(surface.segments.front(),
            (TSegment{116, 325, 117, 325}));  // F(-199) = -99.5 rounds to -100
  EXPECT_EQ(surface.segments.back(), (TSegment{515, 125, 516, 125}));
  EXPECT_EQ(texts.label4, "    w  = 200");
  EXPECT_EQ(texts.label5, "F(w) = 100");
}

struct THalfCase {
  double f;
  int y;
  const char* label5;
};

TEST_F(DrawerLogic, RoundsHalvesToTheEvenNeighbour) {
  for (const THalfCase& c : {THalfCase{2.5, 223, "F(w) = 2"}, THalfCase{3.5, 221, "F(w) = 4"},
                             THalfCase{-2.5, 227, "F(w) = -2"}, THalfCase{-3.5, 229, "F(w) = -4"},
                             THalfCase{0.5, 225, "F(w) = 0"}, THalfCase{2.4999, 223, "F(w) = 2"}}) {
    PlotConstant(c.f);
    ASSERT_EQ(surface.segments.size(), 400u);
    for (const TSegment& s : surface.segments) {
      ASSERT_EQ(s.y1, c.y) << c.f;
      ASSERT_EQ(s.y2, c.y) << c.f;
    }
    EXPECT_EQ(texts.label5, c.label5);
  }
}

TEST_F(DrawerLogic, RepaintAtEveryEnterRemovesTheCurveButKeepsTheLabels) {
  PlotConstant(1);
  PlotConstant(2);
  EXPECT_EQ(surface.repaints, 2);
  EXPECT_EQ(surface.segments.size(), 400u);
  EXPECT_EQ(surface.segments.front().y1, 223);
}

struct TOffPixelCase {
  double f;  // F at w = 200, the last sample
  const char* label5;
};

TEST_F(DrawerLogic, LeavesOutSegmentsTouchingValuesNoPixelHoldsAndNamesThemShortly) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const TOffPixelCase& c :
       {TOffPixelCase{std::nan(""), "F(w) = NAN"}, TOffPixelCase{kInf, "F(w) = INF"},
        TOffPixelCase{-kInf, "F(w) = -INF"}, TOffPixelCase{1e12, "F(w) = 1000000000000"},
        TOffPixelCase{-3e9, "F(w) = -3000000000"}, TOffPixelCase{1e30, "F(w) = 1E30"}}) {
    cells.F = [&](double w) { return w == 200 ? c.f : 0.0; };
    logic.Plot();
    EXPECT_EQ(surface.segments.size(), 399u) << c.f;
    EXPECT_EQ(surface.segments.back(), (TSegment{514, 225, 515, 225})) << c.f;
    EXPECT_EQ(texts.label5, c.label5);
  }
}

TEST_F(DrawerLogic, DrawsAPointAtTheFarthestCoordinateA32BitPixelHolds) {
  const double farthest = double(std::numeric_limits<int>::max()) - 225;
  cells.F = [&](double w) { return w == 200 ? -farthest : 0.0; };
  logic.Plot();
  ASSERT_EQ(surface.segments.size(), 400u);
  EXPECT_EQ(surface.segments.back().y2, std::numeric_limits<int>::max());
}

TEST_F(DrawerLogic, RejectedFormulaEndsThePlotWhileFillingAndKeepsSlowMotion) {
  PlotConstant(1);
  logic.SpeedButton1Click();
  cells.F = [](double) { return 2.0; };
  cells.rejectRow = 150;
  EXPECT_THROW(logic.Plot(), std::runtime_error);
  EXPECT_EQ(surface.repaints, 2);
  EXPECT_TRUE(surface.segments.empty());
  EXPECT_TRUE(logic.SlowMotion());
  EXPECT_EQ(pump.eventRounds, 0);
  EXPECT_EQ((cells.numbers[{149, 2}]), -2.0) << "rows before the failure hold the new plot";
  EXPECT_EQ((cells.numbers[{150, 2}]), -1.0) << "later rows keep the previous one";
  EXPECT_EQ(texts.label5, "F(w) = 1");
}

class TFailingSurface : public TRecordingSurface {
 public:
  int failAt = 0;
  void LineTo(int x, int y) override {
    if (int(segments.size()) + 1 == failAt) throw std::runtime_error("surface lost");
    TRecordingSurface::LineTo(x, y);
  }
};

TEST_F(DrawerLogic, ErrorWhileDrawingKeepsTheSegmentsSoFarAndEndsSlowMotion) {
  TFailingSurface failing;
  failing.failAt = 50;
  TDrawerLogic drawer(failing, texts, pump, cells);
  drawer.SpeedButton1Click();
  EXPECT_THROW(drawer.Plot(), std::runtime_error);
  EXPECT_EQ(failing.segments.size(), 49u);
  EXPECT_FALSE(drawer.SlowMotion());
}

TEST_F(DrawerLogic, SlowMotionPausesAtLeastAMillisecondBeforeEverySegmentForOnePlot) {
  std::vector<std::size_t> segmentsAtEvents;
  pump.onEvents = [&] { segmentsAtEvents.push_back(surface.segments.size()); };
  logic.SpeedButton1Click();
  const auto start = pump.now;
  PlotConstant(3);
  EXPECT_FALSE(logic.SlowMotion());
  const std::set<std::size_t> pausedBefore(segmentsAtEvents.begin(), segmentsAtEvents.end());
  EXPECT_EQ(pausedBefore.size(), 400u) << "one pause before each segment";
  EXPECT_EQ(*pausedBefore.rbegin(), 399u);
  // The clock moves 0.25 ms per reading: a pause of 1 ms reads it five times, handles events
  // at three of them.
  EXPECT_EQ(pump.eventRounds, 3 * 400);
  EXPECT_GE(pump.now - start, std::chrono::milliseconds(400));

  PlotConstant(3);
  EXPECT_EQ(pump.eventRounds, 3 * 400) << "the next plot runs at normal speed";
}

TEST_F(DrawerLogic, TwoClicksBeforeEnterGiveANormalSpeedPlot) {
  logic.SpeedButton1Click();
  logic.SpeedButton1Click();
  PlotConstant(3);
  EXPECT_EQ(pump.eventRounds, 0);
}

TEST_F(DrawerLogic, PauseHandlesNoEventWhenTheFirstReadingIsPastTheDeadline) {
  pump.step = std::chrono::milliseconds(5);
  logic.Pause(0, 1);
  EXPECT_EQ(pump.eventRounds, 0);
  pump.step = std::chrono::milliseconds(1);
  logic.Pause(1, 500);
  EXPECT_EQ(pump.eventRounds, 1499);
}

TEST_F(DrawerLogic, ClickInsideAPauseLetsTheRestOfThePlotRunWithoutPauses) {
  pump.onEvents = [&] {
    if (surface.segments.size() == 10 && logic.SlowMotion()) logic.SpeedButton1Click();
  };
  logic.SpeedButton1Click();
  PlotConstant(1);
  EXPECT_EQ(pump.eventRounds, 3 * 11) << "the pause under way runs to its end";
  EXPECT_EQ(surface.segments.size(), 400u);
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
    cells.F = [](double) { return 5.0; };
    char enter = TDrawerLogic::kEnter;
    logic.Edit1KeyPress(enter);  // still in slow motion: this plot pauses too
    nested = false;
  };
  logic.SpeedButton1Click();
  PlotConstant(1);

  EXPECT_FALSE(logic.SlowMotion());
  EXPECT_EQ(surface.repaints, 2);
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

TEST_F(DrawerLogic, AxisLinesSetOnlyTheirOwnPanelToABareZero) {
  texts.panels = {"x = 5", "y = 6", "f(w) = 7"};
  logic.Panel1MouseMove();
  EXPECT_EQ(texts.panels, (std::array<std::string, 3>{"x = 5", "0", "f(w) = 7"}));
  logic.Panel2MouseMove();
  EXPECT_EQ(texts.panels, (std::array<std::string, 3>{"0", "0", "f(w) = 7"}));
  EXPECT_TRUE(cells.log.empty());
}

}  // namespace
}  // namespace numora
