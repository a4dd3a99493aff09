// numora-probe eval, end to end: the value or the error a script sees, and the exit status.
#include <gtest/gtest.h>

#include <string>

#include "RunProbe.h"

namespace {

using numora::testing::RunProbe;
using numora::testing::TProbeOutput;
using numora::testing::TProbeResult;

struct TEvalCase {
  std::string arguments;
  std::string out;  // both streams
  int status;
};

TEST(ProbeEval, PrintsTheValueWithSeventeenDigitsOrTheError) {
  const TEvalCase cases[] = {
      {"eval '1+2*3'", "7\n", 0},
      {"eval '1/3'", "0.33333333333333331\n", 0},
      {"eval '(Sin((1/10+sin(1/10)*10+cos(1/10)*10)/10)*100+1/10+5)'", "94.439123181542584\n", 0},
      {"eval 'R5C7+1'", "1\n", 0},
      {"eval '10^400/10^399'", "nan\n", 0},
      {"eval '0." + std::string(400, '0') + "1'", "0\n", 0},
      {"eval 'sin(1'", "error: at character 6: expected \",\" or \")\"\n", 1},
      {"eval 'pow(2,3)'", "error: at character 1: unknown function \"pow\"\n", 1},
      {"eval", "", 2},
      {"eval 1 2", "", 2},
  };
  for (const TEvalCase& c : cases) {
    const TProbeResult r = RunProbe(c.arguments, TProbeOutput::BothStreams);
    if (c.status != 2) {
      EXPECT_EQ(r.out, c.out) << c.arguments;
    }
    EXPECT_EQ(r.status, c.status) << c.arguments;
  }
}

}  // namespace
