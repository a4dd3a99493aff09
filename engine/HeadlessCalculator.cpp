#include "HeadlessCalculator.h"

#include <utility>

#include "AsciiCase.h"

namespace numora {

std::string THeadlessEvent::Line() const {
  switch (Kind) {
    case TKind::Beep:
      return "beep";
    case TKind::Message:
      return "message: " + Text;
    case TKind::Fault:
      return "fault: " + Text;
  }
  return {};
}

std::optional<char> CharacterOfKey(std::uint16_t virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<char>(virtualKey);
  if (virtualKey >= 'A' && virtualKey <= 'Z') return LowerAscii(static_cast<char>(virtualKey));
  if (virtualKey >= 96 && virtualKey <= 105) return static_cast<char>('0' + virtualKey - 96);
  switch (virtualKey) {
    case 8:
      return '\b';
    case 9:
      return '\t';
    case 13:
      return '\r';
    case 27:
      return '\x1b';
    case 32:
      return ' ';
    case 106:
      return '*';
    case 107:
      return '+';
    case 109:
      return '-';
    case 110:
      return ',';  // the decimal key of a layout whose separator is the comma
    case 111:
      return '/';
    case 186:
      return ';';
    case 187:
      return '=';
    case 188:
      return ',';
    case 189:
      return '-';
    case 190:
      return '.';
    case 191:
      return '/';
    case 192:
      return '`';
    case 219:
      return '[';
    case 220:
      return '\\';
    case 221:
      return ']';
    case 222:
      return '\'';
    default:
      return std::nullopt;
  }
}

THeadlessCalculator::THeadlessCalculator()
    : standard_(std::make_unique<THeadlessWindow>(clipboard_)) {
  engine_.FormCreate();
  standard_->Field().Focus();
}

template <class TAction>
void THeadlessCalculator::Run(TAction action) {
  try {
    action();
  } catch (const EEngineFault& fault) {
    host_.ReportFault(fault);
  }
}

namespace {

enum class TKeyHandler : std::uint8_t {
  Digit,
  Operator,
  Function,
  Percent,
  Comma,
  Back,
  Sign,
  Clear,
  ClearAll,
  MemClear,
  MemRecall,
  MemStore,
  MemPlus,
  Pi
};

struct TWindowKey {
  std::string_view Component;
  TKeyHandler Handler;
  std::string_view Caption;
};

constexpr TWindowKey kWindowKeys[] = {
    {"ZeroButton", TKeyHandler::Digit, "0"},        {"OneButton", TKeyHandler::Digit, "1"},
    {"TwoButton", TKeyHandler::Digit, "2"},         {"ThreeButton", TKeyHandler::Digit, "3"},
    {"FourButton", TKeyHandler::Digit, "4"},        {"FiveButton", TKeyHandler::Digit, "5"},
    {"SixButton", TKeyHandler::Digit, "6"},         {"SevenButton", TKeyHandler::Digit, "7"},
    {"EightButton", TKeyHandler::Digit, "8"},       {"NineButton", TKeyHandler::Digit, "9"},
    {"PlusButton", TKeyHandler::Operator, "+"},     {"MinusButton", TKeyHandler::Operator, "--"},
    {"MultiplyButton", TKeyHandler::Operator, "*"}, {"DivideButton", TKeyHandler::Operator, "/"},
    {"EqualButton", TKeyHandler::Operator, "="},    {"xUPyButton", TKeyHandler::Operator, "x^y"},
    {"RootButton", TKeyHandler::Function, "Sqrt"},  {"AdverseButton", TKeyHandler::Function, "1/x"},
    {"SquareButton", TKeyHandler::Function, "x^2"}, {"CubeButton", TKeyHandler::Function, "x^3"},
    {"FactorButton", TKeyHandler::Function, "n!"},  {"ExpButton", TKeyHandler::Function, "exp"},
    {"LnButton", TKeyHandler::Function, "ln"},      {"LogButton", TKeyHandler::Function, "log"},
    {"SinButton", TKeyHandler::Function, "sin"},    {"CosButton", TKeyHandler::Function, "cos"},
    {"TanButton", TKeyHandler::Function, "tan"},    {"PercentButton", TKeyHandler::Percent, "%"},
    {"CommaButton", TKeyHandler::Comma, ","},       {"BackButton", TKeyHandler::Back, "Back"},
    {"SignButton", TKeyHandler::Sign, "+/-"},       {"ClearButton", TKeyHandler::Clear, "CE"},
    {"ClearAllButton", TKeyHandler::ClearAll, "C"}, {"MemClearBtn", TKeyHandler::MemClear, "MC"},
    {"MemButton", TKeyHandler::MemRecall, "MR"},    {"SpeedButton22", TKeyHandler::MemStore, "MS"},
    {"MemPlusBtn", TKeyHandler::MemPlus, "M+"},     {"PiBtn", TKeyHandler::Pi, "Pi"},
};

}  // namespace

std::string_view ComponentOfCaption(std::string_view caption) {
  const std::string wanted = LowerAscii(caption);
  for (const TWindowKey& k : kWindowKeys) {
    if (LowerAscii(k.Caption) == wanted) return k.Component;
  }
  return {};
}

bool THeadlessCalculator::Click(std::string_view component) {
  const TWindowKey* key = nullptr;
  for (const TWindowKey& k : kWindowKeys) {
    if (k.Component == component) key = &k;
  }
  if (key == nullptr) return false;
  THeadlessWindow& w = Current();
  Run([&] {
    switch (key->Handler) {
      case TKeyHandler::Digit:
        engine_.ZeroButtonClick(w, key->Caption);
        break;
      case TKeyHandler::Operator:
        engine_.PlusButtonClick(w, key->Component);
        break;
      case TKeyHandler::Function:
        engine_.RootButtonClick(w, key->Component);
        break;
      case TKeyHandler::Percent:
        engine_.PercentButtonClick(w);
        break;
      case TKeyHandler::Comma:
        engine_.CommaButtonClick(w);
        break;
      case TKeyHandler::Back:
        engine_.BackButtonClick(w);
        break;
      case TKeyHandler::Sign:
        engine_.SignButtonClick(w);
        break;
      case TKeyHandler::Clear:
        engine_.ClearButtonClick(w);
        break;
      case TKeyHandler::ClearAll:
        engine_.ClearAllButtonClick(w);
        break;
      case TKeyHandler::MemClear:
        engine_.MemClearBtnClick();
        break;
      case TKeyHandler::MemRecall:
        engine_.MemButtonClick();
        break;
      case TKeyHandler::MemStore:
        break;  // "MS" has no handler
      case TKeyHandler::MemPlus:
        engine_.MemPlusBtnClick(w);
        break;
      case TKeyHandler::Pi:
        engine_.PiBtnClick(w);
        break;
    }
  });
  return true;
}

void THeadlessCalculator::PressKey(std::uint16_t virtualKey) {
  THeadlessWindow& w = Current();
  Run([&] { engine_.Edit1KeyDown(w, virtualKey); });
  const std::optional<char> typed = CharacterOfKey(virtualKey);
  if (!typed) return;
  const char passed = TCalculatorEngine::Edit1KeyPress(*typed);
  if (passed != '\0') w.Field().TypeCharacter(passed);
}

void THeadlessCalculator::Copy() {
  Run([&] { engine_.Kopyala1Click(Current()); });
}

void THeadlessCalculator::Paste(const std::string& text) {
  clipboard_.Text = text;
  Run([&] { engine_.Yaptr1Click(Current()); });
}

void THeadlessCalculator::OpenScientific() {
  if (scientific_) return;
  scientific_ = std::make_unique<THeadlessWindow>(clipboard_);
  engine_.FormCreate();
  scientific_->Field().Focus();
}

// The standard window comes back with the number the engine goes on working on.
void THeadlessCalculator::ReturnToStandard() {
  if (!scientific_) return;
  standard_->SetDisplayText(scientific_->DisplayText());
  scientific_.reset();
}

void THeadlessCalculator::CloseStandard() { engine_.FormClose(); }

}  // namespace numora
