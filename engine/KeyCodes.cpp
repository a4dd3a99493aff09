#include "KeyCodes.h"

#include "AsciiCase.h"

namespace numora {

namespace {

// clang-format off
constexpr TNamedKey kNamedKeys[] = {
    {"Backspace", "backspace", vk::Back, '\b'},
    {"Tab", "tab", vk::Tab, '\t'},
    {"Enter", "enter", vk::Return, '\r'},
    {"Escape", "escape", vk::Escape, '\x1b'},
    {"Space", "space", vk::Space, ' '},
    {"Page Up", "pageup", vk::PageUp, '\0'},
    {"Page Down", "pagedown", vk::PageDown, '\0'},
    {"End", "end", vk::End, '\0'},
    {"Home", "home", vk::Home, '\0'},
    {"Left", "left", vk::Left, '\0'},
    {"Up", "up", vk::Up, '\0'},
    {"Right", "right", vk::Right, '\0'},
    {"Down", "down", vk::Down, '\0'},
    {"Insert", "insert", vk::Insert, '\0'},
    {"Delete", "delete", vk::Delete, '\0'},
    {"Keypad 0", "kp0", vk::Numpad0, '0'},
    {"Keypad 1", "kp1", vk::Numpad0 + 1, '1'},
    {"Keypad 2", "kp2", vk::Numpad0 + 2, '2'},
    {"Keypad 3", "kp3", vk::Numpad0 + 3, '3'},
    {"Keypad 4", "kp4", vk::Numpad0 + 4, '4'},
    {"Keypad 5", "kp5", vk::Numpad0 + 5, '5'},
    {"Keypad 6", "kp6", vk::Numpad0 + 6, '6'},
    {"Keypad 7", "kp7", vk::Numpad0 + 7, '7'},
    {"Keypad 8", "kp8", vk::Numpad0 + 8, '8'},
    {"Keypad 9", "kp9", vk::Numpad0 + 9, '9'},
    {"Keypad *", "kp*", vk::Multiply, '*'},
    {"Keypad +", "kp+", vk::Add, '+'},
    {"Keypad -", "kp-", vk::Subtract, '-'},
    // The decimal key of a layout whose separator is the comma.
    {"Keypad decimal", "kp,", vk::Decimal, ','},
    {"Keypad /", "kp/", vk::Divide, '/'},
    {"F1", "f1", vk::F1, '\0'}, {"F2", "f2", vk::F1 + 1, '\0'}, {"F3", "f3", vk::F1 + 2, '\0'},
    {"F4", "f4", vk::F1 + 3, '\0'}, {"F5", "f5", vk::F1 + 4, '\0'},
    {"F6", "f6", vk::F1 + 5, '\0'}, {"F7", "f7", vk::F1 + 6, '\0'},
    {"F8", "f8", vk::F1 + 7, '\0'}, {"F9", "f9", vk::F9, '\0'},
    {"F10", "f10", vk::F1 + 9, '\0'}, {"F11", "f11", vk::F1 + 10, '\0'},
    {"F12", "f12", vk::F1 + 11, '\0'},
};

struct TPunctuation {
  std::uint16_t Code;
  char Typed;
};
constexpr TPunctuation kPunctuation[] = {
    {vk::OemSemicolon, ';'}, {vk::OemPlus, '='},         {vk::OemComma, ','},
    {vk::OemMinus, '-'},     {vk::OemPeriod, '.'},       {vk::OemSlash, '/'},
    {vk::OemBackquote, '`'}, {vk::OemOpenBracket, '['},  {vk::OemBackslash, '\\'},
    {vk::OemCloseBracket, ']'}, {vk::OemQuote, '\''},
};
// clang-format on

}  // namespace

std::span<const TNamedKey> NamedKeys() { return kNamedKeys; }

const TNamedKey* NamedKeyOfCode(std::uint16_t code) {
  for (const TNamedKey& key : kNamedKeys)
    if (key.Code == code) return &key;
  return nullptr;
}

const TNamedKey* NamedKeyOfToken(std::string_view token) {
  const std::string wanted = LowerAscii(token);
  for (const TNamedKey& key : kNamedKeys)
    if (key.Token == wanted) return &key;
  return nullptr;
}

char CharacterOfKey(std::uint16_t code) {
  if (code >= vk::Digit0 && code <= vk::Digit0 + 9) return static_cast<char>(code);
  if (code >= vk::A && code <= vk::A + 25) return static_cast<char>('a' + (code - vk::A));
  if (const TNamedKey* key = NamedKeyOfCode(code)) return key->Typed;
  for (const TPunctuation& p : kPunctuation)
    if (p.Code == code) return p.Typed;
  return '\0';
}

}  // namespace numora
