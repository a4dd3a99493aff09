// The hidden field's key-down map and character filter.
#include "Engine.h"
#include "KeyMap.h"

namespace numora {

namespace {

constexpr std::string_view kDigitComponents[] = {
    "ZeroButton", "OneButton", "TwoButton",   "ThreeButton", "FourButton",
    "FiveButton", "SixButton", "SevenButton", "EightButton", "NineButton"};
constexpr std::string_view kDigitCaptions[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

TKeyBinding DigitBinding(int digit) {
  return {TKeyAction::Digit, kDigitComponents[digit], kDigitCaptions[digit]};
}

}  // namespace

TKeyBinding KeyBindingOf(std::uint16_t virtualKey) {
  if (virtualKey >= 48 && virtualKey <= 57) return DigitBinding(virtualKey - 48);
  if (virtualKey >= 96 && virtualKey <= 105) return DigitBinding(virtualKey - 96);
  switch (virtualKey) {
    case 13:
      return {TKeyAction::Operator, "EqualButton", {}};
    case 106:
      return {TKeyAction::Operator, "MultiplyButton", {}};
    case 107:
      return {TKeyAction::Operator, "PlusButton", {}};
    case 109:
      return {TKeyAction::Operator, "MinusButton", {}};
    case 111:
      return {TKeyAction::Operator, "DivideButton", {}};
    case 110:
      return {TKeyAction::Comma, {}, {}};
    default:
      return {};
  }
}

bool IsPassedCharacter(char c) {
  return c == 8 || c == 9 || c == 13 || c == ',' || c == '.' || (c >= '0' && c <= '9');
}

void TCalculatorEngine::Edit1KeyDown(TCalcWindow& window, std::uint16_t virtualKey) {
  const TKeyBinding key = KeyBindingOf(virtualKey);
  switch (key.Action) {
    case TKeyAction::Digit:
      EnterText(window, key.Caption);
      state_.EntryMode = TEntryMode::emAppend;
      break;
    case TKeyAction::Operator: {
      // Unlike the keypad's operator keys, this path calculates even right after an operator.
      const std::string name = StripWord("Button", key.Component);
      if (state_.NoOperand) {
        host_.Beep();
        return;
      }
      state_.EntryMode = TEntryMode::emNewNumber;
      Calculate(window);
      state_.PendingOperation = name;
      break;
    }
    case TKeyAction::Comma:
      // Always ",", whatever the keyboard layout makes the decimal key type.
      if (window.DisplayText().find(',') != std::string::npos) {
        host_.Beep();
        return;
      }
      state_.EntryMode = TEntryMode::emAfterComma;
      EnterText(window, ",");
      break;
    case TKeyAction::None:
      break;
  }
}

char TCalculatorEngine::Edit1KeyPress(char character) {
  return IsPassedCharacter(character) ? character : '\0';
}

}  // namespace numora
