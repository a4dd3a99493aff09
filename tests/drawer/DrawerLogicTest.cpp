// The drawer's logic on the real evaluator, watched through its calls, on a clock that only
// moves when read: call order, failures, slow motion, plots entered inside a pause, and the
// readout's one box per rejected text.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "HeadlessDrawer.h"

namespace numora {
namespace {

// The real cells, with every call logged; a formula put into rejectRow fails.
class TLoggedCells : public TF1BookCells {
 public:
  using TF1BookCells::TF1BookCells;
  int rejectRow = 0;
  mutable std::vector<std::string> log;

  // clang-format off
  void SelectCell(int r, int c) override { Log("SelectCell", r, c); TF1BookCells::SelectCell(r, c); }
  void GetSelectedCell(int& r, int& c) const override {
    log.push_back("GetSelectedCell");
    TF1BookCells::GetSelectedCell(r, c);
  }
  std::string CellReference(int r, int c, bool absolute) const override {
    Log("CellReference", r, c, absolute ? " true" : " false");
    return TF1BookCells::CellReference(r, c, absolute);
  }
  void PutCellEntry(int r, int c, std::string_view text) override {
    Log("PutCellEntry", r, c, " " + std::string(text));
    TF1BookCells::PutCellEntry(r, c, text);
  }
  void PutCellFormula(int r, int c, std::string_view text) override {
    Log("PutCellFormula", r, c, " " + std::string(text));
    if (r == rejectRow) throw std::runtime_error("rejected");
    TF1BookCells::PutCellFormula(r, c, text);
  }
  double GetCellNumber(int r, int c) const override {
    Log("GetCellNumber", r, c);
    return TF1BookCells::GetCellNumber(r, c);
  }
  // clang-format on

 private:
  void Log(const char* call, int r, int c, const std::string& rest = "") const {
    log.push_back(std::string(call) + " " + std::to_string(r) + " " + std::to_string(c) + rest);
  }
};

// A clock that advances by a fixed step at every reading; events run the test's hook.
class TFakePump : public TEventPump {
 public:
  std::chrono::nanoseconds now{1'000'000'000}, step = std::chrono::microseconds(250);
  int eventRounds = 0;
  std::function<void()> onEvents;
  void ProcessEvents() override { ++eventRounds, onEvents ? onEvents() : void(); }
  std::chrono::nanoseconds Now() override { return (now += step) - step; }
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
  TLoggedCells cells{book};
  TFailingSurface surface;
  TTextRecord texts;
  TFakePump pump;
  TDrawerLogic logic{surface, texts, pump, cells};

  void Plot(const std::string& formula) {
    texts.formula = formula;
    logic.Plot();
  }
};

TEST_F(DrawerLogic, EnterFillsEveryRowInOrderBeforeDrawingBlueSegmentsFromTheCells) {
  char key = 'a';
  logic.Edit1KeyPress(key);
  EXPECT_EQ(surface.repaints, 0);
  texts.formula = "w/2+0*W";
  key = TDrawerLogic::kEnter;
  logic.Edit1KeyPress(key);
  EXPECT_EQ(key, TDrawerLogic::kEnter) << "the key is passed on unchanged";
  EXPECT_EQ(surface.repaints, 1);
  const std::vector<std::string> firstRow(cells.log.begin(), cells.log.begin() + 5);
  EXPECT_EQ(firstRow, (std::vector<std::string>{"SelectCell 1 1", "PutCellEntry 1 1 -200",
                                                "GetSelectedCell", "CellReference 1 1 false",
                                                "PutCellFormula 1 2 -(R1C1/2+0*R1C1)"}));
  EXPECT_EQ(cells.log[5 * 400 + 1], "PutCellEntry 401 1 200");
  ASSERT_EQ(cells.log.size(), 5u * 401 + 4 * 400);
  for (std::size_t i = 5 * 401; i < cells.log.size(); ++i)
    EXPECT_EQ(cells.log[i].rfind("GetCellNumber", 0), 0u) << cells.log[i];
  EXPECT_EQ(surface.penWidth, 2);
  EXPECT_EQ(surface.penColor, 0x0000FFu);
  ASSERT_EQ(surface.segments.size(), 400u);
  EXPECT_EQ(surface.segments.front(), (TSegment{116, 325, 117, 325}));  // -99,5 rounds to -100
  EXPECT_EQ(surface.segments.back(), (TSegment{515, 125, 516, 125}));
  EXPECT_EQ(texts.label4, "    w  = 200");
  EXPECT_EQ(texts.label5, "F(w) = 100");
}

TEST_F(DrawerLogic, RejectedFormulaEndsThePlotWhileFillingAndKeepsSlowMotion) {
  Plot("1");
  logic.SpeedButton1Click();
  cells.rejectRow = 150;
  EXPECT_THROW(Plot("2"), std::runtime_error);
  EXPECT_EQ(surface.repaints, 2);
  EXPECT_TRUE(surface.segments.empty());
  EXPECT_TRUE(logic.SlowMotion());
  EXPECT_EQ(pump.eventRounds, 0);
  EXPECT_EQ(book.GetCellNumber(149, 2), -2.0) << "rows before the failure hold the new plot";
  EXPECT_EQ(book.GetCellNumber(150, 2), -1.0) << "later rows keep the previous one";
  EXPECT_EQ(texts.label5, "F(w) = 1");
}

TEST_F(DrawerLogic, ErrorWhileDrawingKeepsTheSegmentsSoFarAndEndsSlowMotion) {
  surface.failAt = 50;
  logic.SpeedButton1Click();
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
}

TEST_F(DrawerLogic, PauseHandlesEventsUntilTheDeadlineFromItsFirstReading) {
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
  Plot("1");
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
    char enter = TDrawerLogic::kEnter;
    logic.Edit1KeyPress(enter);  // still in slow motion: this plot pauses too
    nested = false;
  };
  logic.SpeedButton1Click();
  Plot("1");
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

TEST_F(DrawerLogic, ARejectedTextOpensOneBoxThenTheMovesShowItsErrorUntilTheTextChanges) {
  const std::string error =
      "at character 3: expected a number, a cell reference, a function or \"(\"";
  const auto move = [&](const std::string& formula) {
    texts.formula = formula;
    try {
      logic.FormMouseMove(317, 100);
      return true;
    } catch (const EF1BookError& e) {
      EXPECT_EQ(e.what(), error);
      return false;
    }
  };
  EXPECT_TRUE(move("w*2"));
  EXPECT_EQ(texts.panels[2], "f(w) = 2");
  EXPECT_FALSE(move("w+"));
  EXPECT_EQ(texts.panels[2], "f(w) = 2") << "the box stands for the value";
  EXPECT_TRUE(move("w+"));
  EXPECT_EQ(texts.panels[2], error);
  EXPECT_EQ(texts.panels[0], "x = 1");
  EXPECT_FALSE(move("W+"));
  EXPECT_TRUE(move("W+"));
  EXPECT_TRUE(move("w"));
  EXPECT_FALSE(move("W+")) << "the field held another text in between";
  texts.formula = "w-";
  EXPECT_THROW(logic.Plot(), EF1BookError);
  EXPECT_THROW(logic.Plot(), EF1BookError) << "Enter always reports";
  EXPECT_TRUE(move("w-")) << "its box counts for the moves";
}

}  // namespace
}  // namespace numora
