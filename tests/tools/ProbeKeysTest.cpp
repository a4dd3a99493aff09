// numora-probe keys, end to end: the lines a script sees and the exit status.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "RunProbe.h"

namespace {

using numora::testing::RunProbe;
using numora::testing::TProbeResult;

struct TProbeCase {
  const char* name;
  const char* arguments;
  const char* out;
  int status;
};

class ProbeKeysTest : public ::testing::TestWithParam<TProbeCase> {};

TEST_P(ProbeKeysTest, PrintsTheEventsAndTheDisplay) {
  const TProbeResult r = RunProbe(GetParam().arguments);
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.status, GetParam().status);
}

const TProbeCase kCases[] = {
    {"ChainedSum", "keys 2 + 3 '*' 4 =", "display: 20\n", 0},
    {"DivisionByZeroShowsTheMessageThenBeeps",
     "keys 5 / 0 =", "message: Division by Zero\nbeep\ndisplay: 0\n", 0},
    {"SineOfThirtyDegrees", "keys 30 sin", "display: 0,50000000000003\n", 0},
    {"TokensIgnoreCase", "keys 9 SQRT", "display: 3\n", 0},
    {"KeypadAndEnter", "keys key:49 key:50 kp+ 3 enter", "display: 15\n", 0},
    {"CopyPrintsTheClipboard", "keys 2 + 3 = copy", "clipboard: 5\ndisplay: 5\n", 0},
    {"PasteAfterCopyShowsTheText", "keys copy paste:42", "clipboard: 0\ndisplay: 42\n", 0},
    {"ScientificWindowStartsAtZero", "keys 2 + 3 = sci", "display: 0\n", 0},
    {"StandardWindowComesBackShowingTheScientificDisplay", "keys 15 sci 7 + std", "display: 7\n",
     0},
    {"CopyOfAnEmptyDisplayEmptiesTheClipboard", "keys 'paste:\n17' copy",
     "clipboard: \ndisplay: \n", 0},
    {"StateAfterStart", "keys --state",
     "display: 0\naccumulator: 0\nmemory: 0\npending: Num\nmode: emAppend\nnooperand: true\n", 0},
    {"UnknownTokenIsAUsageError", "keys 2 frobnicate", "", 2},
};
INSTANTIATE_TEST_SUITE_P(Keys, ProbeKeysTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProbeKeysFaultTest, FactorialOf1755ReportsAFault) {
  const TProbeResult r = RunProbe("keys 1755 n!");
  EXPECT_EQ(r.out.rfind("fault: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("display: 1755\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.status, 0);
}

TEST(ProbeUsageTest, UnknownCommandIsAUsageError) {
  EXPECT_EQ(RunProbe("no-such-command").status, 2);
}

}  // namespace
