// Virtual key codes of key-down events, named once: the key table, the platforms' key
// events, the headless calculator and numora-probe all use these names. The values are the
// ones Windows gives its keys, so a Windows key event needs no translation.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace numora {

namespace vk {
inline constexpr std::uint16_t Back = 8;
inline constexpr std::uint16_t Tab = 9;
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Shift = 16;
inline constexpr std::uint16_t Control = 17;
inline constexpr std::uint16_t Alt = 18;
inline constexpr std::uint16_t Pause = 19;
inline constexpr std::uint16_t CapsLock = 20;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
inline constexpr std::uint16_t PageUp = 33;
inline constexpr std::uint16_t PageDown = 34;
inline constexpr std::uint16_t End = 35;
inline constexpr std::uint16_t Home = 36;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
inline constexpr std::uint16_t Insert = 45;
inline constexpr std::uint16_t Delete = 46;
inline constexpr std::uint16_t Digit0 = 48;   // to 57, the main keyboard's digit row
inline constexpr std::uint16_t A = 65;        // to 90, the letters
inline constexpr std::uint16_t Numpad0 = 96;  // to 105, the numeric keypad's digits
inline constexpr std::uint16_t Multiply = 106;
inline constexpr std::uint16_t Add = 107;
inline constexpr std::uint16_t Subtract = 109;
inline constexpr std::uint16_t Decimal = 110;
inline constexpr std::uint16_t Divide = 111;
inline constexpr std::uint16_t F1 = 112;  // to F24, 135
inline constexpr std::uint16_t F9 = F1 + 8;
// The main keyboard's punctuation, by what a US keyboard prints on it.
inline constexpr std::uint16_t OemSemicolon = 186;
inline constexpr std::uint16_t OemPlus = 187;
inline constexpr std::uint16_t OemComma = 188;
inline constexpr std::uint16_t OemMinus = 189;
inline constexpr std::uint16_t OemPeriod = 190;
inline constexpr std::uint16_t OemSlash = 191;
inline constexpr std::uint16_t OemBackquote = 192;
inline constexpr std::uint16_t OemOpenBracket = 219;
inline constexpr std::uint16_t OemBackslash = 220;
inline constexpr std::uint16_t OemCloseBracket = 221;
inline constexpr std::uint16_t OemQuote = 222;
}  // namespace vk

// The modifier keys held during a key stroke that the calculator looks at.
struct TShiftState {
  bool Ctrl = false;
  bool Alt = false;
  // Ctrl with Alt is AltGr on Windows, which types characters: only Ctrl alone commands.
  bool CtrlAlone() const { return Ctrl && !Alt; }
};

// A key by its name: "Enter", "F9", "Home", "Keypad +". Token is how numora-probe writes
// it ("enter", "f9", "home", "kp+"); Typed the character a US keyboard types with it, '\0'
// for none (Delete types none, as on the platforms whose codes these are).
struct TNamedKey {
  std::string_view Name;
  std::string_view Token;
  std::uint16_t Code;
  char Typed;
};

// Every key the calculator names: editing and navigation keys, F1 to F12, the keypad.
std::span<const TNamedKey> NamedKeys();
const TNamedKey* NamedKeyOfCode(std::uint16_t code);
const TNamedKey* NamedKeyOfToken(std::string_view token);  // ignoring case

// The character a US keyboard types for a key code, if any: the named keys, the digit row,
// the letters (lower case) and the main keyboard's punctuation.
char CharacterOfKey(std::uint16_t code);

}  // namespace numora
