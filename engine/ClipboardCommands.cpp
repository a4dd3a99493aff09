// "&Copy" and "&Paste": the display text to and from the clipboard through the hidden field.
#include "Engine.h"

namespace numora {

void TCalculatorEngine::Kopyala1Click(TCalcWindow& window) {
  TTextField& field = window.HiddenField();
  field.SetText(window.DisplayText());
  field.SelectAll();
  field.CopyToClipboard();
}

// The pasted text is neither checked nor converted: the next step that reads the display does.
// It is the next operator's operand, and digits typed after it continue it.
void TCalculatorEngine::Yaptr1Click(TCalcWindow& window) {
  TTextField& field = window.HiddenField();
  if (!field.PasteFromClipboard()) return;
  window.SetDisplayText(field.Text());
  state_.NoOperand = false;
  state_.EntryMode = TEntryMode::emAppend;
}

}  // namespace numora
