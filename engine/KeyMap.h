// Which key of a calculator window a virtual key code stands for.
#pragma once

#include <cstdint>
#include <string_view>

namespace numora {

enum class TKeyAction : std::uint8_t { None, Digit, Operator, Comma };

struct TKeyBinding {
  TKeyAction Action = TKeyAction::None;
  std::string_view Component;  // the window's key ("EqualButton"); empty for the comma
  std::string_view Caption;    // the digit key's caption ("0" to "9")
};

// Codes 48-57 and 96-105 are digits, 13/106/107/109/111 operators (Enter, keypad * + - /),
// 110 the keypad's decimal key; every other code has no action.
TKeyBinding KeyBindingOf(std::uint16_t virtualKey);

// Characters that the hidden field may take in: Backspace, Tab, Enter, ",", "." and digits.
bool IsPassedCharacter(char character);

}  // namespace numora
