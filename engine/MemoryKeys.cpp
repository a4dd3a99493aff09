// The memory column: MC, MR and M+ (MS has no action).
#include "CheckedMath.h"
#include "Engine.h"

namespace numora {

void TCalculatorEngine::MemClearBtnClick() {
  state_.Memory = 0;
  state_.NoOperand = false;
}

// "MR" stores: the Accumulator is the source and Memory the destination.
void TCalculatorEngine::MemButtonClick() {
  state_.Memory = state_.Accumulator;
  state_.NoOperand = false;
}

void TCalculatorEngine::MemPlusBtnClick(TCalcWindow& window) {
  const long double x = StrToFloat(window.DisplayText());
  long double& m = state_.Memory;
  m = detail::Checked("M+", [&] { return detail::Opaque(m) + detail::Opaque(x); });
  window.SetDisplayText(FloatToStr(m));
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emNewNumber;
}

}  // namespace numora
