// Operator keys, function keys, "%" and Pi.
#include "CheckedMath.h"
#include "Engine.h"

namespace numora {

void TCalculatorEngine::PlusButtonClick(TCalcWindow& window, std::string_view componentName) {
  const std::string name = StripWord("Button", componentName);
  if (state_.NoOperand) {
    host_.Beep();
    return;
  }
  if (state_.EntryMode != TEntryMode::emNewNumber) Calculate(window);
  state_.EntryMode = TEntryMode::emNewNumber;
  state_.PendingOperation = name;
}

void TCalculatorEngine::RootButtonClick(TCalcWindow& window, std::string_view componentName) {
  const std::string name = StripWord("Button", componentName);
  if (!state_.NoOperand) {
    state_.EntryMode = TEntryMode::emNewNumber;
    state_.PendingOperation = name;
    Calculate(window);
  }
  state_.EntryMode = TEntryMode::emAppend;
  state_.PendingOperation = "Equal";
}

void TCalculatorEngine::PercentButtonClick(TCalcWindow& window) {
  if (state_.NoOperand) {
    host_.Beep();
    return;
  }
  Calculate(window);
  state_.EntryMode = TEntryMode::emNewNumber;
  state_.PendingOperation = "Percent";
  long double& a = state_.Accumulator;
  a = detail::Checked("Percent", [&] { return detail::Opaque(a) / 100; });
  window.SetDisplayText(FloatToStr(a));
}

void TCalculatorEngine::PiBtnClick(TCalcWindow& window) {
  window.SetDisplayText(FloatToStr(kExtendedPi));
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emOperandShown;
}

}  // namespace numora
