// Operator keys, function keys, "%" and Pi.
#include <string>
#include <utility>

#include "CheckedMath.h"
#include "Engine.h"
#include "EntryRules.h"

namespace numora {

using detail::TFieldFollowsDisplay;

void TCalculatorEngine::PlusButtonClick(TCalcWindow& window, std::string_view componentName) {
  const TFieldFollowsDisplay follow(*this, window);
  const std::string name = StripWord("Button", componentName);
  if (state_.NoOperand) {
    host_.Beep();
    return;
  }
  if (state_.EntryMode != TEntryMode::emNewNumber) Calculate(window);
  state_.EntryMode = TEntryMode::emNewNumber;
  state_.PendingOperation = name;
}

// A function works on the displayed number alone: its result is shown as the operand of the
// operation still pending (2 + 9 sqrt = gives 5), which keeps its left operand, and the next
// digit starts a new number. A fault leaves the calculation as it was.
void TCalculatorEngine::RootButtonClick(TCalcWindow& window, std::string_view componentName) {
  const TFieldFollowsDisplay follow(*this, window);
  if (state_.NoOperand) {
    state_.EntryMode = TEntryMode::emAppend;
    state_.PendingOperation = "Equal";
    return;
  }
  const long double accumulator = state_.Accumulator;
  std::string pending = std::exchange(state_.PendingOperation, StripWord("Button", componentName));
  const auto restore = [&] {
    state_.Accumulator = accumulator;
    state_.PendingOperation = std::move(pending);
    state_.EntryMode = TEntryMode::emOperandShown;
  };
  try {
    Calculate(window);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TCalculatorEngine::PercentButtonClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
  if (state_.NoOperand) {
    host_.Beep();
    return;
  }
  Calculate(window);
  state_.EntryMode = TEntryMode::emOperandShown;
  state_.PendingOperation = "Percent";
  long double& a = state_.Accumulator;
  a = detail::Checked("Percent", [&] { return detail::Opaque(a) / 100; });
  window.SetDisplayText(FloatToStr(a));
}

void TCalculatorEngine::PiBtnClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
  window.SetDisplayText(FloatToStr(kExtendedPi));
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emOperandShown;
}

}  // namespace numora
