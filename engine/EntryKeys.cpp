// Digits, comma, Back, +/-, CE, C and the resets of window creation and close.
#include "Engine.h"
#include "Utf8.h"

namespace numora {

void TCalculatorEngine::EnterText(TCalcWindow& window, std::string_view text) {
  switch (state_.EntryMode) {
    case TEntryMode::emAppend:
      if (window.DisplayText() == "0") {
        window.SetDisplayText(std::string(text));
      } else {
        window.SetDisplayText(window.DisplayText() + std::string(text));
      }
      break;
    case TEntryMode::emAfterComma:
      window.SetDisplayText(window.DisplayText() + std::string(text));
      break;
    case TEntryMode::emNewNumber:
    case TEntryMode::emOperandShown:
      window.SetDisplayText(std::string(text));
      break;
  }
  state_.NoOperand = false;
}

void TCalculatorEngine::ZeroButtonClick(TCalcWindow& window, std::string_view caption) {
  EnterText(window, caption);
  state_.EntryMode = TEntryMode::emAppend;
}

void TCalculatorEngine::CommaButtonClick(TCalcWindow& window) {
  if (window.DisplayText().find(',') != std::string::npos) {
    host_.Beep();
    return;
  }
  state_.EntryMode = TEntryMode::emAfterComma;
  EnterText(window, ",");
}

void TCalculatorEngine::BackButtonClick(TCalcWindow& window) {
  std::string text = window.DisplayText();
  if (CodePointCount(text) < 2) {
    window.SetDisplayText("0");
    host_.Beep();
    return;
  }
  EraseLastCodePoint(text);
  window.SetDisplayText(text);
}

void TCalculatorEngine::SignButtonClick(TCalcWindow& window) {
  const std::string text = window.DisplayText();
  if (text == "0") host_.Beep();
  if (!text.empty() && text.front() == '-') {
    window.SetDisplayText(text.substr(1));
  } else {
    window.SetDisplayText("-" + text);
  }
}

void TCalculatorEngine::ClearButtonClick(TCalcWindow& window) {
  state_.EntryMode = TEntryMode::emAppend;
  state_.Accumulator = 0;
  state_.PendingOperation = "Num";
  state_.NoOperand = true;
  window.SetDisplayText("0");
}

void TCalculatorEngine::ClearAllButtonClick(TCalcWindow& window) {
  ClearButtonClick(window);
  state_.Memory = 0;
}

// The new window shows "0", so the Accumulator starts from 0 too (as after CE): otherwise the
// first operator would add the typed number to a result that is no longer on the screen.
// The memory is what the user stored: a view switch keeps it (it is 0 at program start).
void TCalculatorEngine::FormCreate() {
  state_.Accumulator = 0;
  state_.EntryMode = TEntryMode::emAppend;
  state_.PendingOperation = "Num";
  state_.NoOperand = true;
}

void TCalculatorEngine::FormClose() {
  state_.Accumulator = 0;
  state_.EntryMode = TEntryMode::emAppend;
  state_.PendingOperation = "Num";
}

}  // namespace numora
