// The drawer's logic with the real evaluator: the default formula, the mouse readout, and
// formulas the evaluator rejects.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Engine.h"
#include "HeadlessDrawer.h"

namespace numora {
namespace {

double DefaultF(double w) {
  return std::sin((w / 10 + std::sin(w / 10) * 10 + std::cos(w / 10) * 10) / 10) * 100 + w / 10 + 5;
}

class PlotFormula : public ::testing::Test {
 protected:
  THeadlessDrawer drawer;
  std::vector<TSegment>& segments = drawer.surface.segments;
  TTextRecord& texts = drawer.texts;

  void Plot(const std::string& formula) {
    texts.formula = formula;
    drawer.logic.Plot();
  }
  void ExpectHorizontalLineAt(int y) {
    ASSERT_EQ(segments.size(), 400u);
    EXPECT_EQ(segments.front(), (TSegment{116, y, 117, y}));
    for (const TSegment& s : segments) ASSERT_TRUE(s.y1 == y && s.y2 == y) << s.y1;
  }
};

TEST_F(PlotFormula, DefaultFormulaRunsFromLeftToRightWithinItsRows) {
  drawer.logic.Plot();
  ASSERT_EQ(segments.size(), 400u);
  EXPECT_EQ(segments.front().x1, 116);
  EXPECT_EQ(segments.front().y1, 299);
  EXPECT_EQ(segments.back().x2, 516);
  EXPECT_EQ(segments.back().y2, 218);
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const TSegment& s = segments[k];
    ASSERT_EQ(s.x1, 116 + int(k));
    ASSERT_EQ(s.x2, s.x1 + 1);
    ASSERT_TRUE(s.y1 >= 102 && s.y1 <= 339 && s.y2 >= 102 && s.y2 <= 339) << k;
    if (k > 0) {
      ASSERT_EQ(s.y1, segments[k - 1].y2) << "both ends come from the same cells";
    }
  }
  EXPECT_EQ(texts.label4, "    w  = 200");
  EXPECT_EQ(texts.label5, "F(w) = 7");
}

TEST_F(PlotFormula, ReadoutShowsTheUnroundedValueAtThePointersW) {
  drawer.MouseMove(317, 100);
  EXPECT_EQ(texts.panels[0], "x = 1");
  EXPECT_EQ(texts.panels[1], "y = 125");
  // F(1) = 94,4391...: within a hundredth of 94,44, written with all its 15 digits.
  ASSERT_EQ(texts.panels[2].rfind("f(w) = 94,439", 0), 0u) << texts.panels[2];
  EXPECT_EQ(texts.panels[2].size(), std::string("f(w) = 94,4391231815426").size());
  EXPECT_NEAR(double(StrToFloat(texts.panels[2].substr(7))), DefaultF(1), 1e-12);

  drawer.MouseMove(0, 100);
  EXPECT_EQ(texts.panels[0], "x = -316");
  ASSERT_EQ(texts.panels[2].rfind("f(w) = ", 0), 0u);
  EXPECT_NEAR(double(StrToFloat(texts.panels[2].substr(7))), DefaultF(-316), 1e-9);
}

TEST_F(PlotFormula, ReadoutTakesTheFieldAsItIsNowAndLeavesThePlotsCellsAlone) {
  drawer.logic.Plot();
  texts.formula = "w*2";
  drawer.MouseMove(416, 5);
  EXPECT_EQ(texts.panels[2], "f(w) = 200");
  EXPECT_NEAR(drawer.book.GetCellNumber(401, 2), -DefaultF(200), 1e-9) << "the plot's cells stay";
}

TEST_F(PlotFormula, AxisLinesTakeThePointerFromThePicture) {
  drawer.MouseMove(317, 100);
  drawer.MouseMove(316, 300);
  EXPECT_EQ(texts.panels[0], "0");
  EXPECT_EQ(texts.panels[1], "y = 125");
  drawer.MouseMove(20, 225);
  EXPECT_EQ(texts.panels[1], "0");
  EXPECT_EQ(texts.panels[2].rfind("f(w) = 94,439", 0), 0u);
}

TEST_F(PlotFormula, FormulasWithoutWOrWithCapitalWDrawHorizontalLines) {
  Plot("7");
  ExpectHorizontalLineAt(218);
  Plot("W*0+2.5");
  ExpectHorizontalLineAt(223);
  EXPECT_EQ(texts.label5, "F(w) = 2");
  Plot("3.5+0*w");
  ExpectHorizontalLineAt(221);
  EXPECT_EQ(texts.label5, "F(w) = 4");
}

TEST_F(PlotFormula, EveryWOfALongFormulaIsReplacedUpToItsEnd) {
  std::string formula;
  for (int i = 0; i < 60; ++i) formula += "0*w+";
  Plot(formula + "W");
  ASSERT_EQ(segments.size(), 400u);
  EXPECT_EQ(segments.front(), (TSegment{116, 425, 117, 424}));
  EXPECT_EQ(segments.back(), (TSegment{515, 26, 516, 25}));
}

TEST_F(PlotFormula, PointsOutsideTheWindowAreStillDrawnTowards) {
  Plot("w*w/100");
  ASSERT_EQ(segments.size(), 400u);
  EXPECT_EQ(segments.front().y1, 225 - 400);
  EXPECT_EQ(texts.label5, "F(w) = 400");
}

TEST_F(PlotFormula, RejectedFormulaRepaintsDrawsNothingAndKeepsLabelsAndSlowMotion) {
  drawer.logic.Plot();
  drawer.logic.SpeedButton1Click();
  for (const char* formula : {"", "sin(", "w+*2", "pow(w,2)"}) {
    texts.formula = formula;
    EXPECT_THROW(drawer.logic.Plot(), EF1BookError) << formula;
    EXPECT_TRUE(segments.empty());
    EXPECT_EQ(texts.label5, "F(w) = 7");
    EXPECT_TRUE(drawer.logic.SlowMotion());
  }
  EXPECT_EQ(drawer.surface.repaints, 5);
}

TEST_F(PlotFormula, RejectedReadoutFormulaSetsXAndYButKeepsTheLastValue) {
  drawer.MouseMove(317, 100);
  const std::string value = texts.panels[2];
  texts.formula = "";
  EXPECT_THROW(drawer.MouseMove(320, 50), EF1BookError);
  EXPECT_EQ(texts.panels[0], "x = 4");
  EXPECT_EQ(texts.panels[1], "y = 175");
  EXPECT_EQ(texts.panels[2], value);
}

TEST_F(PlotFormula, ReadoutOfAValueWithoutANumberIsShortText) {
  texts.formula = "sqrt(w)";
  drawer.MouseMove(300, 100);
  EXPECT_EQ(texts.panels[2], "f(w) = NAN");
}

}  // namespace
}  // namespace numora
