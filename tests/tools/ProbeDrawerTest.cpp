// numora-probe plot and readout, end to end.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunProbe.h"

namespace {

using numora::testing::RunProbe;
using numora::testing::TProbeResult;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const std::string kDefaultFormula = "'Sin((w/10+sin(w/10)*10+cos(w/10)*10)/10)*100+w/10+5'";

TEST(ProbePlot, DefaultFormulaPrintsFourHundredSegmentsThenTheLabels) {
  const TProbeResult r = RunProbe("plot");
  EXPECT_EQ(r.status, 0);
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 402u);
  EXPECT_EQ(lines.front().rfind("116 299 117 ", 0), 0u) << lines.front();
  EXPECT_TRUE(lines[399].ends_with(" 516 218")) << lines[399];
  EXPECT_EQ(lines[400], "label4:     w  = 200");
  EXPECT_EQ(lines[401], "label5: F(w) = 7");
  EXPECT_EQ(RunProbe("plot " + kDefaultFormula).out, r.out);
}

TEST(ProbePlot, HalfwayValuesRoundToEven) {
  const std::vector<std::string> lines = Lines(RunProbe("plot 3.5").out);
  ASSERT_EQ(lines.size(), 402u);
  EXPECT_EQ(lines[0], "116 221 117 221");
  EXPECT_EQ(lines[401], "label5: F(w) = 4");
}

TEST(ProbePlot, RepeatPrintsOnlyTheMedianTime) {
  const TProbeResult r = RunProbe("plot --repeat 5");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::regex_match(r.out, std::regex("plot median [0-9]+\\.[0-9] us\n"))) << r.out;
}

TEST(ProbePlot, RejectedFormulaPrintsNothingAndFails) {
  EXPECT_EQ(RunProbe("plot 'sin('").status, 1);
  EXPECT_EQ(RunProbe("plot ''").out, "");
}

TEST(ProbePlot, BadArgumentsAreUsageErrors) {
  EXPECT_EQ(RunProbe("plot --repeat").status, 2);
  EXPECT_EQ(RunProbe("plot --repeat 0").status, 2);
  EXPECT_EQ(RunProbe("plot w w").status, 2);
}

TEST(ProbeReadout, PrintsTheThreeStatusPanels) {
  const TProbeResult r = RunProbe("readout " + kDefaultFormula + " 317 100");
  EXPECT_EQ(r.status, 0);
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "x = 1");
  EXPECT_EQ(lines[1], "y = 125");
  EXPECT_EQ(lines[2].rfind("f(w) = 94,439", 0), 0u) << lines[2];
}

TEST(ProbeReadout, AxisLineSetsOnlyItsPanel) {
  EXPECT_EQ(RunProbe("readout w 316 100").out, "0\n\n\n");
  EXPECT_EQ(RunProbe("readout w 10 225").out, "\n0\n\n");
  EXPECT_EQ(RunProbe("readout w 0 100").out, "x = -316\ny = 125\nf(w) = -316\n");
}

TEST(ProbeReadout, RejectedFormulaStillPrintsXAndY) {
  const TProbeResult r = RunProbe("readout '' 317 100");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "x = 1\ny = 125\n\n");
  EXPECT_EQ(RunProbe("readout w x 1").status, 2);
}

}  // namespace
