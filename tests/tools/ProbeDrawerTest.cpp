// numora-probe plot, readout and eval end to end: the drawer's logic on the real evaluator.
// Segments are worked by hand from the plot's geometry (w = x - 316, F = 225 - y).
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunProbe.h"

namespace {

using numora::testing::RunProbe;
using numora::testing::TProbeOutput;
using numora::testing::TProbeResult;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string Repeat(const std::string& text, int times) {
  std::string result;
  while (times-- > 0) result += text;
  return result;
}

const std::string kDefault = "Sin((w/10+sin(w/10)*10+cos(w/10)*10)/10)*100+w/10+5";
const std::string kExpectedOperand = "expected a number, a cell reference, a function or \"(\"";
const std::string kNotAName = "; expected a function call or a cell reference such as R1C1\n";

struct TPlotCase {
  std::string formula;
  std::size_t segments;
  std::string first, last;  // the first segment drawn starts so, the last one ends so
  std::string label5;
};

TEST(ProbePlot, PrintsTheSegmentsAsDrawnCutToThePictureThenTheLabels) {
  const TPlotCase cases[] = {
      {kDefault, 400, "116 299 117 ", " 516 218", "F(w) = 7"},
      // Halves round to the even neighbour; W is the variable too; no w draws a line.
      {"3.5", 400, "116 221 117 221", "515 221 516 221", "F(w) = 4"},
      {"W*0+2.5", 400, "116 223 117 223", "515 223 516 223", "F(w) = 2"},
      {"-2.5+0*w", 400, "116 227 117 227", "515 227 516 227", "F(w) = -2"},
      {"0.5", 400, "116 225 ", " 225", "F(w) = 0"},
      {"w/2", 400, "116 325 117 325", "515 125 516 125", "F(w) = 100"},  // F(-199) = -99,5
      {Repeat("0*w+", 60) + "W", 400, "116 425 117 424", "515 26 516 25", "F(w) = 200"},
      // A name holding w keeps it; segments leaving the picture end 2 pixels beyond it.
      {"power(w,2)/100", 302, "165 -2 166 0", "466 0 467 -2", "F(w) = 400"},
      // Steep: every segment across the picture, wherever its ends lie.
      {"sin(w)*1e10", 128, "118 -2 118 440", "514 -2 514 440", "F(w) = -8732972972"},
      {"1.7e308*SIGN(w-0.5)", 1, "317 440 317 -2", "317 440 317 -2", "F(w) = 1,7E308"},
      {"w*1e8", 2, "316 440 316 225", "316 225 316 -2", "F(w) = 20000000000"},
      // No segment across a pole: one left out at each.
      {"tan(w/50)", 398, "116 226 117 226", " 516 224", "F(w) = 1"},
      {"100/(w-0.5)", 399, "116 225 117 226", " 516 224", "F(w) = 1"},
      {"1e12*MAX(0,w-199)", 400, "116 225 117 225", "515 225 515 -2", "F(w) = 1000000000000"},
      // A point without a number leaves its segments out.
      {"0/(200-w)", 399, "116 225 117 225", "514 225 515 225", "F(w) = NAN"},
      {"-9223372036854775808+0*w", 0, "", "", "F(w) = -9223372036854775808"},
      {"9223372036854775808+0*w", 0, "", "", "F(w) = 9,22337203685478E18"},
      // The longest formula: 8192 characters, 4096 w.
      {Repeat("w+", 4095) + "w ", 2, "316 440 316 225", "316 225 316 -2", "F(w) = 819200"},
  };
  for (const TPlotCase& c : cases) {
    const std::vector<std::string> lines = Lines(RunProbe("plot " + Quoted(c.formula)).out);
    ASSERT_EQ(lines.size(), c.segments + 2) << c.formula.substr(0, 60);
    if (c.segments > 0) {
      EXPECT_TRUE(lines.front().starts_with(c.first)) << lines.front();
      EXPECT_TRUE(lines[c.segments - 1].ends_with(c.last)) << lines[c.segments - 1];
    }
    EXPECT_EQ(lines[c.segments] + lines[c.segments + 1], "label4:     w  = 200label5: " + c.label5);
  }
  EXPECT_EQ(RunProbe("plot").out, RunProbe("plot " + Quoted(kDefault)).out);
}

struct TProbeCase {
  std::string arguments;
  std::string out;  // both streams
  int status;
};

// Exit status 1 comes with the errors the window would show in a box, 2 with a usage text.
TEST(Probe, PrintsWhatTheDrawerShowsAndTheErrorsItReports) {
  const TProbeCase cases[] = {
      {"plot 'sin(w/20)*50+'", "error: at character 14: " + kExpectedOperand + "\n", 1},
      {"plot 'w+1é'", "error: at character 4: expected \")\"\n", 1},
      {"plot " + Quoted(Repeat("é", 8192)), "error: at character 1: " + kExpectedOperand + "\n", 1},
      {"plot " + Quoted(Repeat("é", 8193)),
       "error: at character 8193: expected at most 8192 characters\n", 1},
      {"plot 'w2+w'", "error: at character 1: unknown name \"w2\"" + kNotAName, 1},
      {"readout '2.w' 317 100", "error: at character 3: expected \")\"\nx = 1\ny = 125\n\n", 1},
      {"plot 'sin(w w)'", "error: at character 7: expected \",\" or \")\"\n", 1},
      // The message names what was typed, never the cell reference put in its place.
      {"plot 'w(2)'", "error: at character 1: unknown function \"w\"\n", 1},
      {"plot '2+W(2)'", "error: at character 3: unknown function \"W\"\n", 1},
      {"plot 'R1C1(w)'", "error: at character 1: unknown function \"R1C1\"\n", 1},
      {"readout 'w(2)' 317 100",
       "error: at character 1: unknown function \"w\"\nx = 1\ny = 125\n\n", 1},
      {"readout '2*W (3)' 0 100",
       "error: at character 3: unknown function \"W\"\nx = -316\ny = 125\n\n", 1},
      {"readout 'sin(w(1))' 317 100",
       "error: at character 5: unknown function \"w\"\nx = 1\ny = 125\n\n", 1},
      {"readout '(w)(2)' 317 100", "error: at character 4: expected \")\"\nx = 1\ny = 125\n\n", 1},
      {"plot " + Quoted(Repeat("w+", 4096) + "w"),
       "error: at character 8193: expected at most 8192 characters\n", 1},
      {"readout " + Quoted(Repeat("w+", 4096) + "w") + " 317 100",
       "error: at character 8193: expected at most 8192 characters\nx = 1\ny = 125\n\n", 1},
      {"plot --repeat", "", 2},
      {"plot --repeat 0", "", 2},
      {"plot w w", "", 2},
      {"readout w 1", "", 2},
      {"readout w x 1", "", 2},
      {"readout " + Quoted(kDefault) + " 317 100", "x = 1\ny = 125\nf(w) = 94,4391231815426\n", 0},
      {"readout w 0 100", "x = -316\ny = 125\nf(w) = -316\n", 0},
      {"readout 'power(w,2)+W' 318 100", "x = 2\ny = 125\nf(w) = 6\n", 0},
      {"readout 'sqrt(w)' 300 100", "x = -16\ny = 125\nf(w) = NAN\n", 0},
      {"readout " + Quoted(Repeat("w+", 4095) + "w ") + " 317 100", "x = 1\ny = 125\nf(w) = 4096\n",
       0},
      // The axis lines set only their own panel.
      {"readout w 317 100 316 300 20 225", "0\n0\nf(w) = 1\n", 0},
      // One box per rejected text; later moves show the error in the f(w) panel.
      {"readout '' 317 100", "error: at character 1: " + kExpectedOperand + "\nx = 1\ny = 125\n\n",
       1},
      {"readout 'sin(w/20)*50+' 317 100 318 100",
       "error: at character 14: " + kExpectedOperand +
           "\nx = 2\ny = 125\nat character 14: " + kExpectedOperand + "\n",
       1},
      // eval: 17 significant digits, nan for a value without a number.
      {"eval '1/3'", "0.33333333333333331\n", 0},
      {"eval '(Sin((1/10+sin(1/10)*10+cos(1/10)*10)/10)*100+1/10+5)'", "94.439123181542584\n", 0},
      {"eval '10^400/10^399'", "nan\n", 0},
      {"eval '0." + std::string(400, '0') + "1'", "0\n", 0},
      {"eval 'pow(2,3)'", "error: at character 1: unknown function \"pow\"\n", 1},
      {"eval", "", 2},
      {"eval 1 2", "", 2},
  };
  for (const TProbeCase& c : cases) {
    const TProbeResult r = RunProbe(c.arguments, TProbeOutput::BothStreams);
    EXPECT_EQ(r.status, c.status) << c.arguments.substr(0, 60);
    if (c.status != 2) {
      EXPECT_EQ(r.out, c.out) << c.arguments.substr(0, 60);
    }
  }
  EXPECT_TRUE(std::regex_match(RunProbe("plot --repeat 5").out,
                               std::regex("plot median [0-9]+\\.[0-9] us\n")));
}

}  // namespace
