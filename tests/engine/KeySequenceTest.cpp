// Key sequences from the program's start, run as numora-probe keys runs them: what the user
// sees and hears, in order, joined by "; ". Expected texts are the worked examples of the
// calculator's description or hand computations.
#include <gtest/gtest.h>

#include <fstream>
#include <span>
#include <sstream>

#include "CalculatorKeys.h"
#include "KeyScript.h"

namespace numora {
namespace {

struct TRow {
  const char* keys;
  const char* seen;
};

// Tokens are split at spaces only, so a pasted text may hold tabs and line breaks.
std::vector<std::string> Lines(const std::string& keys, bool withState) {
  TKeyScript script;
  std::istringstream tokens(keys);
  for (std::string token; std::getline(tokens, token, ' ');) {
    if (!token.empty() && !script.Add(token)) return {"unknown token " + token};
  }
  return script.Run(withState);
}

std::string Seen(const std::string& keys) {
  std::string seen;
  for (const std::string& line : Lines(keys, false))
    seen.append(seen.empty() ? "" : "; ").append(line);
  return seen;
}

void ExpectAll(std::span<const TRow> rows) {
  for (const TRow& row : rows) EXPECT_EQ(Seen(row.keys), row.seen) << row.keys;
}

TEST(KeySequenceTest, ChainsLeftToRightWithoutPrecedence) {
  const TRow rows[] = {
      {"2 + 3 * 4 =", "display: 20"},
      {"2 + 3 = =", "display: 5"},
      {"2 + -- 3 =", "display: -1"},
      {"5 =", "display: 5"},
      // A function's result is the pending operation's operand; a digit starts a new number.
      {"2 + 3 sqrt =", "display: 3,73205080756888"},
      {"2 + 9 sqrt =", "display: 5"},
      {"9 sqrt 5", "display: 5"},
      {"3 x^2 1", "display: 1"},
      {"4 1/x 2", "display: 2"},
      {"200 + 10 % 5", "display: 5"},
      // A shown number that +/- or Back changed is the operand the next operator takes.
      {"2 + 3 = +/- * 2 =", "display: -10"},
      {"5 + +/- =", "display: 0"},
      {"12 + 3 = back * 2 =", "display: 2"},
      {"2 + 3 = +/- 4", "display: 4"},
      {"2 * 3 x^2 =", "display: 18"},
      {"10 - 5 n! =", "display: -110"},
      {"2 + sqrt =", "display: 3,4142135623731"},
      {"9 sqrt + 1 =", "display: 4"},
      {"9 sqrt sqrt", "display: 1,73205080756888"},
      {"200 + 10 %", "display: 2,1"},
      {"50 % * 4 =", "display: 2"},
      // After "%", as after "=", a typed number begins a new calculation.
      {"50 % 4 +", "display: 4"},
      {"200 * 5 % 3 + 1 =", "display: 4"},
      {"1 / 3 = * 3 =", "display: 1"},
      {"5 / 0 =", "message: Division by Zero; beep; display: 0"},
      {"0 1/x", "message: Division by Zero; beep; display: 0"},
      {"4 +/- sqrt 9 =", "fault: Invalid floating point operation in Root; display: 9"},
      {"2 + 4 +/- sqrt 9 =", "fault: Invalid floating point operation in Root; display: 11"},
      {"2 x^y 10 =", "display: 1024"},
      {"3 x^2 + 2 x^3 =", "display: 17"},
      {"5 n!", "display: 120"},
      {"2,5 n!", "display: 1,875"},
      {"0,25 n!", "display: 0,25"},
      {"0 n!", "display: 1"},
      {"3 +/- n!", "display: 1"},
      {"170 n!", "display: 7,257415615308E306"},
      {"30 sin", "display: 0,5"},
      {"60 cos", "display: 0,5"},
      {"45 tan", "display: 1"},
      {"90 sin", "display: 1"},
      {"100 log", "display: 2"},
      {"1 ln", "display: 0"},
      {"1 exp", "display: 2,71828182845905"},
      {"pi", "display: 3,14159265358979"},
      // The number on the display is the next operator's operand, a shown constant too.
      {"2 + pi =", "display: 5,14159265358979"},
      {"sci pi + 1 =", "display: 4,14159265358979"},
      {"pi 5", "display: 5"},
      // Right after a clear operators only beep; a function key is silent.
      {"=", "beep; display: 0"},
      {"+", "beep; display: 0"},
      {"%", "beep; display: 0"},
      {"sqrt", "display: 0"},
      {"2 + 3 = ce =", "beep; display: 0"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, ShowsFifteenDigitsRoundedHalfAwayFromZero) {
  const TRow rows[] = {
      {"1 / 3 =", "display: 0,333333333333333"},
      {"2 / 3 =", "display: 0,666666666666667"},
      {"10 / 4 =", "display: 2,5"},
      {"1 / 10000 =", "display: 0,0001"},
      {"1 / 100000 =", "display: 1E-5"},
      {"999999999999999 =", "display: 999999999999999"},
      {"paste:1000000000000000 =", "display: 1E15"},
      {"paste:9999999999999999 =", "display: 1E16"},
      {"paste:123456789012345678 =", "display: 1,23456789012346E17"},
      {"123456789 * 1000000000 =", "display: 1,23456789E17"},
      {"2 sqrt", "display: 1,4142135623731"},
      {"2,5 +/- =", "display: -2,5"},
      {"0 +/- sqrt", "beep; display: 0"},
      {"100000000000000 + 0,5 =", "display: 100000000000001"},
      {"10000000000000 + 0,25 =", "display: 10000000000000,3"},
      {"paste:1000000000000005 =", "display: 1,00000000000001E15"},
      // 2^-22 is exactly 2,384185791015625E-7, a tie on the 16th digit.
      {"paste:2,384185791015625E-7 =", "display: 2,38418579101563E-7"},
      // Stored as 1,000000000000034999997...: a 20-digit print of it reads as the tie.
      {"paste:1,000000000000035 =", "display: 1,00000000000003"},
      // Exactly 10^15 + 5 - 2^-14, just below the tie.
      {"paste:1000000000000004,99993896484375 =", "display: 1E15"},
      {"paste:1E4000 =", "display: 1E4000"},
      {"paste:1E-4940 =", "display: 9,99999999996053E-4941"},
      {"paste:\t12\t =", "display: 12"},
      {"paste:1,5e+3 =", "display: 1500"},
      // Degrees: whole multiples of 90 are exact; other values are bc -l's at 40 digits,
      // rounded to 15 (sin 1 = 0,01745240643728351281...).
      {"1 sin", "display: 0,0174524064372835"},
      {"390 sin", "display: 0,5"},
      {"90 cos", "display: 0"},
      {"180 sin", "display: 0"},
      {"180 +/- sin", "display: 0"},
      {"270 sin", "display: -1"},
      {"90 +/- sin", "display: -1"},
      {"360 cos", "display: 1"},
      {"180 tan", "display: 0"},
      {"135 tan", "display: -1"},
      {"240 +/- cos", "display: -0,5"},
      {"89 tan", "display: 57,2899616307594"},
      {"0,5 cos", "display: 0,999961923064171"},
      // 123456789 = 342935 turns + 189 degrees; sin 189 = -sin 9 = -0,15643446504023086...
      {"123456789 sin", "display: -0,156434465040231"},
      // The stored 1E4932 is 15504964057600816845 * 2^16320, which leaves 120 degrees.
      {"paste:1E4932 sin", "display: 0,866025403784439"},
      {"paste:1E4932 cos", "display: -0,5"},
      {"paste:1E4932 tan", "display: -1,73205080756888"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, EntersAndEditsTheDisplayText) {
  const TRow rows[] = {
      {"0 0 7", "display: 7"},
      {", 5", "display: 0,5"},
      {"0 , 0 5", "display: 0,05"},
      {"5 , ,", "beep; display: 5,"},
      // Where a new number is due the comma starts "0,".
      {"5 + , 5 =", "display: 5,5"},
      {"2 + 3 = , 5", "display: 0,5"},
      {"2 + , 5 =", "display: 2,5"},
      {"9 sqrt , 5", "display: 0,5"},
      {"1 , 5 + , 2", "display: 0,2"},
      {"type:2+3=.5", "display: 0,5"},
      {"type:2+,5=", "display: 2,5"},
      // Typed entry stops at the fifteen digits the display shows.
      {"123456789012345 6", "beep; display: 123456789012345"},
      {"0 , 12345678901234 5 6", "beep; display: 0,123456789012345"},
      {"-- , 00000000000001 2", "beep; display: 0,000000000000012"},
      {"2 + 0 5", "display: 5"},
      {"9 back", "beep; display: 0"},
      {"1 2 back", "display: 1"},
      {"7 + 8 = back", "display: 1"},
      {"7 + 8 = back 2", "display: 2"},
      {"5 +/- +/-", "display: 5"},
      {"+/-", "beep; display: -0"},
      {"+/- +/-", "beep; display: 0"},
      {"0 +/- 5", "beep; display: -05"},
      // Back leaves a number: a lone sign becomes "0", an exponent goes whole.
      {"5 +/- back", "display: 0"},
      {"5 +/- back =", "display: 0"},
      {"5 +/- back 3", "display: 3"},
      {"1 / 100000 = back", "display: 1"},
      {"1 / 100000 = +/- back", "display: -1"},
      {"paste:1,5E-12 back", "display: 1,5E-1"},
      {"1 / 100000 = +/-", "display: -1E-5"},
      {"1 / 100000 = +/- +/-", "display: 1E-5"},
      {"5 +/- back +/-", "beep; display: -0"},
      {"5 ce ce", "display: 0"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, KeepsOneMemoryRegister) {
  const TRow rows[] = {
      {"m+", "display: 0"},
      {"5 m+ 3", "display: 3"},
      {"5 m+ 3 m+", "display: 8"},
      {"2 + 3 m+ =", "display: 5"},
      {"7 + 2 = mr", "display: 0"},
      {"5 m+ c 7 + 2 = mr", "display: 0"},
      {"5 m+ ce 7 + 2 = mr", "display: 5"},
      {"7 ms 1 + mr =", "display: 8"},
      {"4 ms 2 + mr 5 =", "display: 7"},
      {"6 ms 9", "display: 9"},
      {"2,5 ms 0 mr", "display: 2,5"},
      {"ce mc +", "display: 0"},
      {"c mr =", "display: 0"},
      {"5 ms", "display: 5"},
      {"5 +/- back m+", "display: 0"},
      // A view switch keeps what the user stored.
      {"5 m+ sci 0 m+", "display: 5"},
      {"5 m+ sci std mr", "display: 5"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, TakesTheKeyboardAndTheClipboard) {
  const TRow rows[] = {
      {"key:49 key:50 kp+ key:99 enter", "display: 15"},
      // A second operator only changes the pending one, as a click does.
      {"key:53 kp+ kp+ key:51 enter", "display: 8"},
      {"key:53 kp+ kp- key:51 enter", "display: 2"},
      {"type:5++3=", "display: 8"},
      {"type:5+-3=", "display: 2"},
      {"5 kp+ key:51 key:52 enter", "display: 39"},
      {"5 + +", "display: 5"},
      {"key:56 kp* key:51 kp- key:52 kp/ key:53 enter", "display: 4"},
      {"enter", "beep; display: 0"},
      {"key:53 kp, kp,", "beep; display: 5,"},
      // A typed character counts, whichever key typed it: the main row's + - * / = . too.
      {"type:3.5*2 enter", "display: 7"},
      {"type:2+3 enter", "display: 5"},
      {"type:12-5=", "display: 7"},
      {"type:6*7=", "display: 42"},
      {"type:1,5/3=", "display: 0,5"},
      {"type:1.5.", "beep; display: 1,5"},
      {"type:7a&b2", "display: 72"},
      {"key:53 key:187 key:189 key:191", "display: 5"},
      {"key:54 key:56", "display: 68"},
      {"type:123 backspace", "display: 12"},
      {"type:9 backspace", "beep; display: 0"},
      {"type:12+3 escape type:4=", "display: 4"},
      {"type:12+3 delete type:4=", "display: 4"},
      {"type:2+3= ctrl+c", "clipboard: 5; display: 5"},
      {"type:42 copy c ctrl+v type:+1=", "clipboard: 42; display: 43"},
      {"2 + 3 = copy", "clipboard: 5; display: 5"},
      {"1 / 3 = copy paste:0,333333333333333",
       "clipboard: 0,333333333333333; display: 0,333333333333333"},
      {"key:49 key:50 paste:5", "display: 125"},
      {"key:49 key:50 key:8 paste:5", "display: 15"},
      {"key:49 key:9 key:13 paste:5", "display: 5"},
      {"key:65 key:190 key:49 paste:5", "display: 0,15"},
      {"copy paste:42\n17", "clipboard: 0; display: 42"},
      // The field holds the number being entered: a paste replaces a number that is done
      // and continues one being typed.
      {"type:5+ ctrl+v", "beep; display: 5"},
      {"type:5+ paste:17 enter", "display: 22"},
      {"5 + paste:17 =", "display: 22"},
      {"type:12+3= paste:5", "display: 5"},
      {"type:7 escape paste:3", "display: 3"},
      {"type:7 delete paste:3", "display: 3"},
      {"type:12 paste:3,5", "display: 123,5"},
      {"type:1,5 paste:25", "display: 1,525"},
      {"9 sqrt paste:3", "display: 3"},
      {"5 ms paste:3", "display: 3"},
      {"pi paste:3", "display: 3"},
      {"type:12 backspace backspace paste:4", "beep; display: 4"},
      {"type:12 copy paste:5", "clipboard: 12; display: 5"},
      {"type:12 copy 3 paste:4", "clipboard: 12; display: 1234"},
      {"sci type:12 std paste:5", "display: 125"},
      // Pasted text is the next operator's operand, and digits continue it.
      {"1 + paste:7 =", "display: 8"},
      {"c paste:7 + 1 =", "display: 8"},
      {"2 + 3 = copy paste:4 5", "clipboard: 5; display: 45"},
      {"paste:3.14 * 2 =", "display: 6,28"},
      {"paste:1\u00A0234,5 + 0,5 =", "display: 1235"},
      {"paste:\u22125 + 8 =", "display: 3"},
      {"paste:1E20 5", "display: 5"},
      {"paste:123456789012345 6", "beep; display: 123456789012345"},
      // What holds no number, or would make the typed one none, only beeps.
      {"42 paste: =", "beep; display: 42"},
      {"type:42 paste:12\u00A0apples", "beep; display: 42"},
      {"type:2+3 paste:4\u00A08\u00A015 =", "beep; display: 5"},
      {"type:7 paste:1,2,3", "beep; display: 7"},
      {"type:7 paste:1e99999", "beep; display: 7"},
      {"type:12 paste:-5", "beep; display: 12"},
      {"type:1,5 paste:2,5", "beep; display: 1,5"},
      {"type:12 paste:1E20", "beep; display: 12"},
      {"type:12345678901234 paste:56", "beep; display: 12345678901234"},
      {"key:52 key:50 copy paste: ctrl+v", "clipboard: 42; beep; beep; display: 42"},
      {"copy paste:abc mc +", "clipboard: 0; beep; display: 0"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, ReachesEveryKeyOfTheWindowFromTheKeyboard) {
  const TRow rows[] = {
      {"4 f9", "display: -4"},
      {"type:4r", "display: 0,25"},
      {"type:8R", "display: 0,125"},
      {"type:9@", "display: 3"},
      {"type:200+10%", "display: 2,1"},
      {"7 ctrl+m 1 + ctrl+r =", "display: 8"},
      {"5 ctrl+p 3 ctrl+p", "display: 8"},
      {"5 ctrl+p ctrl+l ctrl+r", "display: 0"},
      {"5 ctrl+p 12 + 3 ctrl+delete ctrl+r", "display: 0"},
      {"5 ctrl+p 12 + 3 delete ctrl+r", "display: 5"},
      {"5 ctrl+p 12 + 3 escape ctrl+r", "display: 5"},
      // Ctrl+M types a carriage return and Ctrl+H a backspace: neither is Enter or Back.
      {"2 + 3 ctrl+m", "display: 3"},
      {"2 + 3 ctrl+m =", "display: 5"},
      {"12 ctrl+h ctrl+i ctrl+j ctrl+a ctrl+x ctrl+5 ctrl+enter ctrl+backspace", "display: 12"},
      // The scientific keys are the scientific window's: in the standard one their letters
      // are discarded and Ctrl+N does nothing.
      {"type:3q", "display: 3"},
      {"type:2y3=", "display: 23"},
      {"type:2^3=", "display: 23"},
      {"type:5!#", "display: 5"},
      {"type:pnlsot", "display: 0"},
      {"9 ctrl+n", "display: 9"},
      {"sci type:3q", "display: 9"},
      {"sci type:3Q", "display: 9"},
      {"sci type:2#", "display: 8"},
      {"sci type:2y10=", "display: 1024"},
      {"sci type:2^3=", "display: 8"},
      {"sci type:5!", "display: 120"},
      {"sci type:1n", "display: 0"},
      {"sci type:100l", "display: 2"},
      {"sci type:30s", "display: 0,5"},
      {"sci type:60o", "display: 0,5"},
      {"sci type:45T", "display: 1"},
      {"sci type:p", "display: 3,14159265358979"},
      {"sci 1 ctrl+n", "display: 2,71828182845905"},
      {"sci 2 + type:p =", "display: 5,14159265358979"},
      {"kp1 kp2 kp+ kp3 enter", "display: 15"},
      {"12 home end left right up down pageup pagedown insert f1 f12 tab space 3", "display: 123"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, ReportsTheFaultThatHappenedFirst) {
  const TRow rows[] = {
      {"0 / 0 =", "fault: Invalid floating point operation in Divide; display: 0"},
      {"0 x^y 2 =", "fault: Floating point division by zero in xUPy; display: 2"},
      {"0 x^y 0 =", "fault: Floating point division by zero in xUPy; display: 0"},
      {"2 +/- x^y 2 =", "fault: Invalid floating point operation in xUPy; display: 2"},
      {"0 log", "fault: Floating point division by zero in Log; display: 0"},
      {"0 ln", "fault: Floating point division by zero in Ln; display: 0"},
      {"2 +/- ln", "fault: Invalid floating point operation in Ln; display: -2"},
      {"12000 exp", "fault: Floating point overflow in Exp; display: 12000"},
      {"1755 n!", "fault: Floating point overflow in Factor; display: 1755"},
      // The tangent of an odd multiple of 90 degrees has no value, as the root of -4 has none.
      {"90 tan", "fault: Invalid floating point operation in Tan; display: 90"},
      {"270 +/- tan", "fault: Invalid floating point operation in Tan; display: -270"},
      {"paste:1E4000 x^2", "fault: Floating point overflow in Square; display: 1E4000"},
      {"paste:1E2000 x^3", "fault: Floating point overflow in Cube; display: 1E2000"},
      {"paste:1E4000 ms * mr =", "fault: Floating point overflow in Multiply; display: 1E4000"},
      {"paste:1E4932 ms + mr =", "fault: Floating point overflow in Plus; display: 1E4932"},
      {"paste:1E4932 m+ m+", "fault: Floating point overflow in M+; display: 1E4932"},
  };
  ExpectAll(rows);
}

TEST(KeySequenceTest, SwitchesWindowsWithTheDisplayAndTheEngineInAgreement) {
  const TRow rows[] = {
      {"12 + 3 = sci", "display: 0"},
      {"12 + 3 = sci 4 * 5 =", "display: 20"},
      {"sci 7 + std", "display: 7"},
      {"sci 7 + std 1 =", "display: 8"},
  };
  ExpectAll(rows);
}

std::string SourceFile(const char* path) {
  std::ifstream file(std::string(NUMORA_SOURCE_DIR) + "/" + path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The README writes a keyboard key as `F9`, the manual page as \fBF9\fR (a minus as \-).
TEST(KeySequenceTest, TheReadmeAndTheManualPageNameEveryKeyboardKeyOfTheKeyTable) {
  const std::string readme = SourceFile("README.md");
  const std::string manual = SourceFile("packaging/numora.1.in");
  ASSERT_FALSE(readme.empty() || manual.empty());
  for (const TCalculatorKey& key : CalculatorKeys()) {
    if (key.Handler == TKeyHandler::Digit) continue;  // both write "0 to 9"
    const std::string keys = KeyboardKeysOf(key);
    for (std::size_t from = 0; from < keys.size();) {
      const std::size_t end = std::min(keys.find(" or ", from), keys.size());
      const std::string name = keys.substr(from, end - from);
      from = end + 4;
      EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << key.Component << " " << name;
      EXPECT_NE(manual.find("\\fB" + (name == "-" ? "\\-" : name) + "\\fR"), std::string::npos)
          << key.Component << " " << name;
    }
  }
}

// accumulator, memory, pending operation, entry mode, nothing entered.
struct TStateRow {
  const char* keys;
  const char* state;
};

TEST(KeySequenceTest, LeavesTheEngineState) {
  const TStateRow rows[] = {
      {"", "0 0 Num emAppend true"},
      {"7", "0 0 Num emAppend false"},
      {"7 ,", "0 0 Num emAfterComma false"},
      {"7 +", "7 0 Plus emNewNumber false"},
      {"7 + *", "7 0 Multiply emNewNumber false"},
      {"9 sqrt", "0 0 Num emOperandShown false"},
      {"2 + 9 sqrt", "2 0 Plus emOperandShown false"},
      {"sqrt", "0 0 Equal emAppend true"},
      {"50 %", "0,5 0 Percent emOperandShown false"},
      {"5 m+ 2 + ce", "0 5 Num emAppend true"},
      {"5 m+ 2 + c", "0 0 Num emAppend true"},
      {"7 + 2 = 4 mr", "9 0 Equal emOperandShown false"},
      {"5 m+", "0 5 Num emOperandShown false"},
      {"6 ms", "0 6 Num emOperandShown false"},
      {"pi", "0 0 Num emOperandShown false"},
      {"1 + paste:7", "1 0 Plus emAppend false"},
      {"1 + paste:1E20", "1 0 Plus emOperandShown false"},
      {"c paste:", "0 0 Num emAppend true"},
      {"2 + 3 = , ", "5 0 Equal emAfterComma false"},
      {"2 + 3 = +/-", "5 0 Equal emOperandShown false"},
      {"5 m+ 7 + escape", "0 5 Num emAppend true"},
      {"5 m+ 7 + delete", "0 5 Num emAppend true"},
      {"ce mc", "0 0 Num emAppend false"},
      {"enter key:187", "0 0 Num emAppend true"},
      {"2 + 3 ctrl+m", "2 3 Plus emOperandShown false"},
      {"5 ctrl+p 2 + ctrl+delete", "0 0 Num emAppend true"},
      {"key:53 key:187", "5 0 Equal emNewNumber false"},
      // Faults: the failing step stores nothing and the rest of the handler does not run.
      // A faulting function leaves the calculation as it was, the display its operand.
      {"4 +/- sqrt", "0 0 Num emOperandShown false"},
      {"2 * 4 +/- sqrt", "2 0 Multiply emOperandShown false"},
      {"90 tan", "0 0 Num emOperandShown false"},
      {"1755 n!", "0 0 Num emOperandShown false"},
      {"paste:1E2000 x^3", "0 0 Num emOperandShown false"},
      {"0 / 0 =", "0 0 Divide emAppend false"},
      {"5 / 0 =", "0 0 Equal emNewNumber false"},
      // Window switches: a new window starts from 0 and keeps the memory.
      {"2 + 3 = 5 m+ sci", "0 5 Num emAppend true"},
      {"5 m+ sci 3 m+ std", "0 8 Num emOperandShown false"},
      {"sci 7 + std", "7 0 Plus emNewNumber false"},
      {"5 m+ 2 + close", "0 5 Num emAppend false"},
  };
  for (const TStateRow& row : rows) {
    const std::vector<std::string> lines = Lines(row.keys, true);
    std::string state;
    for (std::size_t i = lines.size() >= 5 ? lines.size() - 5 : 0; i < lines.size(); ++i)
      state.append(state.empty() ? "" : " ").append(lines[i], lines[i].find(": ") + 2);
    EXPECT_EQ(state, row.state) << row.keys;
  }
}

}  // namespace
}  // namespace numora
