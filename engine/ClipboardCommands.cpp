// "&Copy" and "&Paste": the display text to and from the clipboard through the hidden field.
#include "Engine.h"
#include "EntryRules.h"
#include "PastedNumber.h"

namespace numora {

void TCalculatorEngine::Kopyala1Click(TCalcWindow& window) {
  TTextField& field = window.HiddenField();
  field.SetText(window.DisplayText());
  field.SelectAll();
  field.CopyToClipboard();
}

namespace {

// A pasted number continues a typed one only as more digits of it: "12" and "5" give "125",
// "1,5" and "25" give "1,525"; a sign, an exponent or a second comma would make it no number.
bool ContinuesTypedNumber(const std::string& typed, const std::string& pasted) {
  if (pasted.find_first_not_of("0123456789,") != std::string::npos) return false;
  if (typed.find(',') != std::string::npos && pasted.find(',') != std::string::npos) return false;
  return detail::TypedDigitCount(typed + pasted) <= detail::kTypedDigits;
}

}  // namespace

// The pasted number is the next operator's operand; digits typed after it continue it, unless
// it is shown in scientific form.
void TCalculatorEngine::Yaptr1Click(TCalcWindow& window) {
  const detail::TFieldFollowsDisplay follow(*this, window);
  TTextField& field = window.HiddenField();
  const std::optional<std::string> number = ReadPastedNumber(field.ClipboardText().value_or(""));
  std::string shown;
  if (number && field.WhollySelected()) {
    shown = *number;
  } else if (number && ContinuesTypedNumber(window.DisplayText(), *number)) {
    shown = window.DisplayText() + *number;
  } else {
    host_.Beep();
    return;
  }
  window.SetDisplayText(shown);
  state_.NoOperand = false;
  state_.EntryMode =
      shown.find('E') == std::string::npos ? TEntryMode::emAppend : TEntryMode::emOperandShown;
}

}  // namespace numora
