// The memory column: MC, MR, MS and M+.
#include "CheckedMath.h"
#include "Engine.h"
#include "EntryRules.h"

namespace numora {

void TCalculatorEngine::MemClearBtnClick() {
  state_.Memory = 0;
  state_.NoOperand = false;
}

void TCalculatorEngine::MemButtonClick(TCalcWindow& window) {
  const detail::TFieldFollowsDisplay follow(*this, window);
  window.SetDisplayText(FloatToStr(state_.Memory));
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emOperandShown;
}

void TCalculatorEngine::SpeedButton22Click(TCalcWindow& window) {
  const detail::TFieldFollowsDisplay follow(*this, window);
  state_.Memory = StrToFloat(window.DisplayText());
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emOperandShown;
}

void TCalculatorEngine::MemPlusBtnClick(TCalcWindow& window) {
  const detail::TFieldFollowsDisplay follow(*this, window);
  const long double x = StrToFloat(window.DisplayText());
  long double& m = state_.Memory;
  m = detail::Checked("M+", [&] { return detail::Opaque(m) + detail::Opaque(x); });
  window.SetDisplayText(FloatToStr(m));
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emOperandShown;
}

}  // namespace numora
