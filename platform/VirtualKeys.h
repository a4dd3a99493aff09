// Key events in the calculator's terms. Virtual key codes (KeyCodes.h) come from the physical
// key: the digit row gives its digit's code whatever the shift state or layout (Shift+8 is
// the code of 8), the numeric keypad its own codes, also with NumLock off, both Enter keys
// the code of Enter. Main-keyboard punctuation gets the OEM codes.
#pragma once

#include <cstdint>

#include "KeyCodes.h"

class QKeyEvent;

namespace numora {

std::uint16_t VirtualKeyOf(const QKeyEvent& event);
TShiftState ShiftStateOf(const QKeyEvent& event);
// The character the stroke types, '\0' for none: Ctrl+letter its control character, a
// dead circumflex "^", a character beyond ASCII '?' (no key of the calculator is one); with
// keypadFaces a keypad key with NumLock off its digit or decimal face.
char CharacterOf(const QKeyEvent& event, bool keypadFaces);

}  // namespace numora
