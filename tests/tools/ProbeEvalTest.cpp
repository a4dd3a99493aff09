// numora-probe eval, end to end: the value or the error a script sees, and the exit status.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "RunProbe.h"

namespace {

using numora::testing::TProbeResult;

// Standard output and standard error together.
TProbeResult RunProbe(const std::string& arguments) {
  return numora::testing::RunProbe(arguments, numora::testing::TProbeOutput::BothStreams);
}

struct TEvalCase {
  const char* name;
  const char* arguments;
  const char* out;
  int status;
};

void PrintTo(const TEvalCase& c, std::ostream* os) { *os << c.arguments; }

class ProbeEvalTest : public ::testing::TestWithParam<TEvalCase> {};

TEST_P(ProbeEvalTest, PrintsTheValueOrTheError) {
  const TProbeResult r = RunProbe(GetParam().arguments);
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.status, GetParam().status);
}

const TEvalCase kCases[] = {
    {"IntegerSum", "eval '1+2*3'", "7\n", 0},
    {"SeventeenSignificantDigits", "eval '1/3'", "0.33333333333333331\n", 0},
    {"NegativeBaseBindsTighterThanPower", "eval '-5^2'", "25\n", 0},
    {"NegativeNumeralAfterAnOperator", "eval '(1+-5/10)'", "0.5\n", 0},
    {"DefaultFormulaAtWOne", "eval '(Sin((1/10+sin(1/10)*10+cos(1/10)*10)/10)*100+1/10+5)'",
     "94.439123181542584\n", 0},
    {"EmptyCellsHoldZero", "eval 'R5C7+1'", "1\n", 0},
    {"DivisionByZeroHasNoNumber", "eval '1/0'", "nan\n", 0},
    {"RejectedFormulaNamesThePosition", "eval 'sin(1'",
     "error: at character 6: expected \",\" or \")\"\n", 1},
    {"UnknownFunction", "eval 'pow(2,3)'", "error: at character 1: unknown function \"pow\"\n", 1},
    {"EmptyFormula", "eval ''",
     "error: at character 1: expected a number, a cell reference, a function or \"(\"\n", 1},
};
INSTANTIATE_TEST_SUITE_P(Eval, ProbeEvalTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProbeEvalUsageTest, MissingOrExtraArgumentsAreAUsageError) {
  EXPECT_EQ(RunProbe("eval").status, 2);
  EXPECT_EQ(RunProbe("eval 1 2").status, 2);
}

}  // namespace
