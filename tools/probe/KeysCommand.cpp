// numora-probe keys: drives the calculator engine from the program's start, token by token.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Commands.h"
#include "HeadlessCalculator.h"

namespace numora::probe {

namespace {

constexpr std::string_view kUsage =
    "usage: numora-probe keys [--state] TOKEN...\n"
    "Starts as the program does (standard window created, display \"0\") and feeds the\n"
    "tokens in order; prints beep, message: TEXT, fault: TEXT and clipboard: TEXT lines as\n"
    "they happen, then display: TEXT (and with --state the engine state).\n"
    "Tokens, case-insensitive:\n"
    "  digits and commas    typed key by key: 200  2,5  ,\n"
    "  keypad keys          + -- - * / = % sqrt 1/x +/- back ce c mc mr ms m+\n"
    "  scientific keys      exp ln log sin cos tan x^2 x^3 x^y n! pi\n"
    "                       (they work in the standard window too: the engine does not\n"
    "                       care which window a key belongs to)\n"
    "  keyboard             key:N (virtual key code N into the hidden field),\n"
    "                       kp+ kp- kp* kp/ kp, enter\n"
    "  clipboard            copy, paste:TEXT (TEXT goes on the clipboard, then \"&Paste\")\n"
    "  windows              sci (open a new scientific window; later keys go to it),\n"
    "                       std (\"&Standart\": close it, back to the standard window),\n"
    "                       close (the standard window's close reset; later keys still go\n"
    "                       to the current window so the reset can be inspected)\n";

struct TClick {
  std::string_view Component;
};
struct TKey {
  std::uint16_t Code;
};
struct TCopy {};
struct TPaste {
  std::string Text;
};
enum class TWindowSwitch { OpenScientific, ReturnToStandard, CloseStandard };
using TAction = std::variant<TClick, TKey, TCopy, TPaste, TWindowSwitch>;

struct TNamedKey {
  std::string_view Token;
  std::string_view Component;
};

constexpr TNamedKey kKeyTokens[] = {
    {"+", "PlusButton"},     {"--", "MinusButton"},  {"-", "MinusButton"},
    {"*", "MultiplyButton"}, {"/", "DivideButton"},  {"=", "EqualButton"},
    {"%", "PercentButton"},  {"sqrt", "RootButton"}, {"1/x", "AdverseButton"},
    {"+/-", "SignButton"},   {"back", "BackButton"}, {"ce", "ClearButton"},
    {"c", "ClearAllButton"}, {"mc", "MemClearBtn"},  {"mr", "MemButton"},
    {"ms", "SpeedButton22"}, {"m+", "MemPlusBtn"},   {"exp", "ExpButton"},
    {"ln", "LnButton"},      {"log", "LogButton"},   {"sin", "SinButton"},
    {"cos", "CosButton"},    {"tan", "TanButton"},   {"x^2", "SquareButton"},
    {"x^3", "CubeButton"},   {"x^y", "xUPyButton"},  {"n!", "FactorButton"},
    {"pi", "PiBtn"},
};

constexpr std::string_view kDigitComponents[] = {
    "ZeroButton", "OneButton", "TwoButton",   "ThreeButton", "FourButton",
    "FiveButton", "SixButton", "SevenButton", "EightButton", "NineButton"};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool IsEntryRun(std::string_view token) {
  if (token.empty()) return false;
  for (char c : token) {
    if (!(c >= '0' && c <= '9') && c != ',') return false;
  }
  return true;
}

// Appends the token's actions; false for a token that names nothing.
bool Parse(const std::string& raw, std::vector<TAction>& actions) {
  const std::string token = Lower(raw);
  if (token.rfind("paste:", 0) == 0) {
    actions.push_back(TPaste{raw.substr(6)});
    return true;
  }
  if (token.rfind("key:", 0) == 0) {
    const std::string_view digits = std::string_view(token).substr(4);
    unsigned code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        code > 0xFFFF)
      return false;
    actions.push_back(TKey{static_cast<std::uint16_t>(code)});
    return true;
  }
  if (IsEntryRun(token)) {
    for (char c : token) {
      actions.push_back(
          TClick{c == ',' ? std::string_view("CommaButton") : kDigitComponents[c - '0']});
    }
    return true;
  }
  for (const TNamedKey& k : kKeyTokens) {
    if (k.Token == token) {
      actions.push_back(TClick{k.Component});
      return true;
    }
  }
  if (token == "kp+")
    actions.push_back(TKey{107});
  else if (token == "kp-")
    actions.push_back(TKey{109});
  else if (token == "kp*")
    actions.push_back(TKey{106});
  else if (token == "kp/")
    actions.push_back(TKey{111});
  else if (token == "kp,")
    actions.push_back(TKey{110});
  else if (token == "enter")
    actions.push_back(TKey{13});
  else if (token == "copy")
    actions.push_back(TCopy{});
  else if (token == "sci")
    actions.push_back(TWindowSwitch::OpenScientific);
  else if (token == "std")
    actions.push_back(TWindowSwitch::ReturnToStandard);
  else if (token == "close")
    actions.push_back(TWindowSwitch::CloseStandard);
  else
    return false;
  return true;
}

void PrintEvents(THeadlessCalculator& calculator) {
  for (const THeadlessEvent& e : calculator.TakeEvents()) std::printf("%s\n", e.Line().c_str());
}

std::string_view ModeName(TEntryMode mode) {
  switch (mode) {
    case TEntryMode::emAppend:
      return "emAppend";
    case TEntryMode::emNewNumber:
      return "emNewNumber";
    case TEntryMode::emAfterComma:
      return "emAfterComma";
  }
  return "?";
}

void Perform(THeadlessCalculator& calculator, const TAction& action) {
  if (const auto* click = std::get_if<TClick>(&action)) {
    calculator.Click(click->Component);
  } else if (const auto* key = std::get_if<TKey>(&action)) {
    calculator.PressKey(key->Code);
  } else if (std::holds_alternative<TCopy>(action)) {
    calculator.Copy();
    PrintEvents(calculator);
    std::printf("clipboard: %s\n", calculator.Clipboard().Text.value_or("").c_str());
  } else if (const auto* paste = std::get_if<TPaste>(&action)) {
    calculator.Paste(paste->Text);
  } else {
    switch (std::get<TWindowSwitch>(action)) {
      case TWindowSwitch::OpenScientific:
        calculator.OpenScientific();
        break;
      case TWindowSwitch::ReturnToStandard:
        calculator.ReturnToStandard();
        break;
      case TWindowSwitch::CloseStandard:
        calculator.CloseStandard();
        break;
    }
  }
  PrintEvents(calculator);
}

}  // namespace

int RunKeys(const TArgs& args) {
  bool showState = false;
  std::vector<TAction> actions;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return 0;
    }
    if (arg == "--state") {
      showState = true;
      continue;
    }
    if (!Parse(arg, actions)) {
      std::fprintf(stderr, "numora-probe keys: unknown token '%s'\n", arg.c_str());
      std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
      return 2;
    }
  }
  THeadlessCalculator calculator;
  for (const TAction& action : actions) Perform(calculator, action);
  std::printf("display: %s\n", calculator.Current().DisplayText().c_str());
  if (showState) {
    const TEngineState& s = calculator.State();
    std::printf("accumulator: %s\n", FloatToStr(s.Accumulator).c_str());
    std::printf("memory: %s\n", FloatToStr(s.Memory).c_str());
    std::printf("pending: %s\n", s.PendingOperation.c_str());
    std::printf("mode: %s\n", std::string(ModeName(s.EntryMode)).c_str());
    std::printf("nooperand: %s\n", s.NoOperand ? "true" : "false");
  }
  return 0;
}

}  // namespace numora::probe
