// numora-probe keys, end to end: the lines a script sees and the exit status. What the keys do
// is the engine's key-sequence tests; this checks the command around them.
#include <gtest/gtest.h>

#include "RunProbe.h"

namespace {

using numora::testing::RunProbe;

TEST(ProbeKeysTest, PrintsOneLinePerEventThenTheDisplayAndTheState) {
  const struct {
    const char* arguments;
    const char* out;
    int status;
  } cases[] = {
      {"keys 5 / 0 =", "message: Division by Zero\nbeep\ndisplay: 0\n", 0},
      {"keys 12 + 3 = sci 4 '*' 5 = copy", "clipboard: 20\ndisplay: 20\n", 0},
      {"keys 15 sci 7 + std", "display: 7\n", 0},
      {"keys 'type:6*7=' ctrl+c", "clipboard: 42\ndisplay: 42\n", 0},
      {"keys type:12 backspace escape type:5 delete", "display: 0\n", 0},
      {"keys 'paste:\n17' copy", "clipboard: 17\ndisplay: 17\n", 0},
      // paste: goes through the reader of pasted numbers, as the window's paste does.
      {"keys 'type:5+' 'paste:1 234.5' enter", "display: 1239,5\n", 0},
      {"keys 7 'paste:12 apples'", "beep\ndisplay: 7\n", 0},
      {"keys --state 7 +",
       "display: 7\naccumulator: 7\nmemory: 0\npending: Plus\nmode: emNewNumber\nnooperand: "
       "false\n",
       0},
      // Every keyboard key of the key table has its token.
      {"keys 4 f9 ctrl+m ce ctrl+r ctrl+p", "display: -8\n", 0},
      {"keys 5 ctrl+p ctrl+l ctrl+r", "display: 0\n", 0},
      {"keys 5 ctrl+p 12 ctrl+delete ctrl+r", "display: 0\n", 0},
      {"keys sci 1 ctrl+n", "display: 2,71828182845905\n", 0},
      {"keys 12 home end left right 3 kp4", "display: 1234\n", 0},
      {"keys 2 frobnicate", "", 2},
      {"keys ctrl+", "", 2},
      {"keys ctrl+f99", "", 2},
      {"keys --help | head -1", "usage: numora-probe keys [--state] TOKEN...\n", 0},
      {"keys --help | grep -c 'ctrl+delete (C)'", "1\n", 0},
      {"no-such-command", "", 2},
      {"", "", 2},  // no command at all
  };
  for (const auto& c : cases) {
    const numora::testing::TProbeResult r = RunProbe(c.arguments);
    EXPECT_EQ(r.out, c.out) << c.arguments;
    EXPECT_EQ(r.status, c.status) << c.arguments;
  }
}

}  // namespace
