// Digits, comma, Back, +/-, CE, C and the resets of window creation and close.
#include "Engine.h"
#include "EntryRules.h"
#include "Utf8.h"

namespace numora {

using detail::TFieldFollowsDisplay;

bool TCalculatorEngine::NewNumberDue(const TCalcWindow& window) const {
  switch (state_.EntryMode) {
    case TEntryMode::emNewNumber:
    case TEntryMode::emOperandShown:
      return true;
    case TEntryMode::emAppend:
      return window.DisplayText() == "0";
    case TEntryMode::emAfterComma:
      return false;
  }
  return false;
}

void TCalculatorEngine::FollowDisplay(TCalcWindow& window) const {
  TTextField& field = window.HiddenField();
  field.SetText(window.DisplayText());
  if (NewNumberDue(window)) field.SelectAll();
}

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
  const TFieldFollowsDisplay follow(*this, window);
  if (!NewNumberDue(window) &&
      detail::TypedDigitCount(window.DisplayText() + std::string(caption)) > detail::kTypedDigits) {
    host_.Beep();
    return;
  }
  EnterText(window, caption);
  state_.EntryMode = TEntryMode::emAppend;
}

// Where a new number is due the comma starts it ("0,"), as a digit would.
void TCalculatorEngine::CommaButtonClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
  if (state_.EntryMode == TEntryMode::emNewNumber ||
      state_.EntryMode == TEntryMode::emOperandShown) {
    state_.EntryMode = TEntryMode::emAfterComma;
    window.SetDisplayText("0,");
    state_.NoOperand = false;
    return;
  }
  if (window.DisplayText().find(',') != std::string::npos) {
    host_.Beep();
    return;
  }
  state_.EntryMode = TEntryMode::emAfterComma;
  EnterText(window, ",");
}

// The display stays a number: an exponent losing its last digit goes whole ("1E-5" becomes
// "1"), and a lone sign becomes "0".
void TCalculatorEngine::BackButtonClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
  ShownNumberIsOperand();
  std::string text = window.DisplayText();
  if (CodePointCount(text) < 2) {
    window.SetDisplayText("0");
    host_.Beep();
    return;
  }
  EraseLastCodePoint(text);
  while (!text.empty() && (text.back() == 'E' || text.back() == 'e' ||
                           (text.back() == '-' && text.size() > 1) || text.back() == '+'))
    text.pop_back();
  window.SetDisplayText(text.empty() || text == "-" ? "0" : text);
}

void TCalculatorEngine::SignButtonClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
  ShownNumberIsOperand();
  const std::string text = window.DisplayText();
  if (text == "0") host_.Beep();
  if (!text.empty() && text.front() == '-') {
    window.SetDisplayText(text.substr(1));
  } else {
    window.SetDisplayText("-" + text);
  }
}

// A result or an operand that +/- or Back has changed is the next operator's operand, as it
// is shown: otherwise 2 + 3 = +/- * 2 = would compute with 5 while -5 was on the screen.
void TCalculatorEngine::ShownNumberIsOperand() {
  if (state_.EntryMode == TEntryMode::emNewNumber) state_.EntryMode = TEntryMode::emOperandShown;
}

void TCalculatorEngine::ClearButtonClick(TCalcWindow& window) {
  const TFieldFollowsDisplay follow(*this, window);
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
