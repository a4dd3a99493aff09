// Any bytes as a run of the calculator: clicks on every key of the key table, typed
// characters, key codes, pastes, copies and window switches. After each step the display is
// a number StrToFloat reads, or the step reported a fault; the hidden field holds the display
// text, wholly selected where a new number is due; and the engine state is one the keys can
// leave (a known pending operation, finite registers, "0" while nothing is entered).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "HeadlessCalculator.h"
#include "Utf8.h"

namespace {

using numora::TEntryMode;

void Check(bool condition) {
  if (!condition) std::abort();
}

class TBytes {
 public:
  TBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool IsPendingName(const std::string& name) {
  if (name == "Num" || name == "Equal" || name == "Percent") return true;
  for (const numora::TCalculatorKey& key : numora::CalculatorKeys())
    if (key.Handler == numora::TKeyHandler::Operator &&
        numora::StripWord("Button", key.Component) == name)
      return true;
  return false;
}

void Step(numora::THeadlessCalculator& calculator, TBytes& bytes) {
  const auto keys = numora::CalculatorKeys();
  const numora::TCalculatorKey& key = keys[bytes.Next() % keys.size()];
  switch (bytes.Next() % 8) {
    case 0:
    case 1:
    case 2:
      calculator.Click(key.Component);
      break;
    case 3:
      calculator.TypeCharacter(key.Typed.empty() ? static_cast<char>(bytes.Next())
                                                 : key.Typed[bytes.Next() % key.Typed.size()]);
      break;
    case 4:
      calculator.PressKey(bytes.Next());
      break;
    case 5: {
      std::string text;
      for (std::size_t length = bytes.Next() % 24; length > 0 && !bytes.Empty(); --length)
        text.push_back(static_cast<char>(bytes.Next()));
      calculator.Paste(text);
      break;
    }
    case 6:
      calculator.Copy();
      break;
    case 7:
      if (bytes.Next() % 2 == 0)
        calculator.OpenScientific();
      else
        calculator.ReturnToStandard();
      break;
  }
}

void CheckState(numora::THeadlessCalculator& calculator) {
  bool faulted = false;
  for (const numora::THeadlessEvent& event : calculator.TakeEvents())
    faulted = faulted || event.Kind == numora::THeadlessEvent::TKind::Fault;
  numora::THeadlessWindow& window = calculator.Current();
  const std::string display = window.DisplayText();
  try {
    Check(std::isfinite(numora::StrToFloat(display)));
  } catch (const numora::EEngineFault&) {
    Check(faulted);
  }
  Check(numora::CodePointCount(display) <= 24);
  Check(window.Field().Text() == display);
  const numora::TEngineState& s = calculator.State();
  const bool newNumberDue = s.EntryMode == TEntryMode::emNewNumber ||
                            s.EntryMode == TEntryMode::emOperandShown ||
                            (s.EntryMode == TEntryMode::emAppend && display == "0");
  if (newNumberDue) Check(window.Field().WhollySelected());
  Check(static_cast<int>(s.EntryMode) <= static_cast<int>(TEntryMode::emOperandShown));
  Check(IsPendingName(s.PendingOperation));
  Check(std::isfinite(s.Accumulator) && std::isfinite(s.Memory));
  if (s.NoOperand) Check(display == "0" || display == "-0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  numora::THeadlessCalculator calculator;
  TBytes bytes(data, size);
  CheckState(calculator);
  while (!bytes.Empty()) {
    Step(calculator, bytes);
    CheckState(calculator);
  }
  return 0;
}
