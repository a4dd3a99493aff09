// Virtual key codes of key events, taken from the physical key: the digit row gives 48..57
// whatever the shift state or layout (Shift+8 is 56), the numeric keypad gives 96..111, both
// Enter keys 13. Main-keyboard punctuation gets the OEM codes (186..192, 219..222).
#pragma once

#include <cstdint>

class QKeyEvent;

namespace numora {

std::uint16_t VirtualKeyOf(const QKeyEvent& event);

}  // namespace numora
