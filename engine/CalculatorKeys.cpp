#include "CalculatorKeys.h"

#include "AsciiCase.h"

namespace numora {

namespace {

using H = TKeyHandler;
using W = TKeyWindows;

constexpr TKeyStroke kNone{};
constexpr TKeyStroke Ctrl(char letter) { return {static_cast<std::uint16_t>(letter), true}; }

// Enter types "\r", Backspace "\b", Escape "\x1b" and Delete "\x7f" on the platforms that
// give these keys a character at all. The letters, F9 and the Ctrl keys are those of the
// calculator that ships with Windows; C, which also clears the memory, takes the deliberate
// Ctrl+Delete, so that no single stray key loses the memory.
// clang-format off
constexpr TCalculatorKey kKeys[] = {
    {"ZeroButton", "0", H::Digit, "0", kNone, W::Both, "Zero", "Types the digit zero"},
    {"OneButton", "1", H::Digit, "1", kNone, W::Both, "One", "Types the digit one"},
    {"TwoButton", "2", H::Digit, "2", kNone, W::Both, "Two", "Types the digit two"},
    {"ThreeButton", "3", H::Digit, "3", kNone, W::Both, "Three", "Types the digit three"},
    {"FourButton", "4", H::Digit, "4", kNone, W::Both, "Four", "Types the digit four"},
    {"FiveButton", "5", H::Digit, "5", kNone, W::Both, "Five", "Types the digit five"},
    {"SixButton", "6", H::Digit, "6", kNone, W::Both, "Six", "Types the digit six"},
    {"SevenButton", "7", H::Digit, "7", kNone, W::Both, "Seven", "Types the digit seven"},
    {"EightButton", "8", H::Digit, "8", kNone, W::Both, "Eight", "Types the digit eight"},
    {"NineButton", "9", H::Digit, "9", kNone, W::Both, "Nine", "Types the digit nine"},
    {"PlusButton", "+", H::Operator, "+", kNone, W::Both, "Plus", "Adds the next number"},
    {"MinusButton", "--", H::Operator, "-", kNone, W::Both, "Minus",
     "Subtracts the next number"},
    {"MultiplyButton", "*", H::Operator, "*", kNone, W::Both, "Multiply",
     "Multiplies by the next number"},
    {"DivideButton", "/", H::Operator, "/", kNone, W::Both, "Divide",
     "Divides by the next number"},
    {"EqualButton", "=", H::Operator, "=\r", kNone, W::Both, "Equals",
     "Completes the calculation and shows the result"},
    {"xUPyButton", "x^y", H::Operator, "y^", kNone, W::ScientificOnly, "Power",
     "Raises the number to the power of the next number"},
    {"RootButton", "Sqrt", H::Function, "@", kNone, W::Both, "Square root",
     "Takes the square root of the number"},
    {"AdverseButton", "1/x", H::Function, "r", kNone, W::Both, "Reciprocal",
     "Divides one by the number"},
    {"SquareButton", "x^2", H::Function, "q", kNone, W::ScientificOnly, "Square",
     "Multiplies the number by itself"},
    {"CubeButton", "x^3", H::Function, "#", kNone, W::ScientificOnly, "Cube",
     "Raises the number to the third power"},
    {"FactorButton", "n!", H::Function, "!", kNone, W::ScientificOnly, "Factorial",
     "Multiplies the whole numbers from the number down to one"},
    {"ExpButton", "exp", H::Function, "", Ctrl('N'), W::ScientificOnly, "Exponential",
     "Raises e to the power of the number"},
    {"LnButton", "ln", H::Function, "n", kNone, W::ScientificOnly, "Natural logarithm",
     "Takes the natural logarithm of the number"},
    {"LogButton", "log", H::Function, "l", kNone, W::ScientificOnly, "Logarithm",
     "Takes the logarithm to base ten of the number"},
    {"SinButton", "sin", H::Function, "s", kNone, W::ScientificOnly, "Sine",
     "Takes the sine of the number in degrees"},
    {"CosButton", "cos", H::Function, "o", kNone, W::ScientificOnly, "Cosine",
     "Takes the cosine of the number in degrees"},
    {"TanButton", "tan", H::Function, "t", kNone, W::ScientificOnly, "Tangent",
     "Takes the tangent of the number in degrees"},
    {"PercentButton", "%", H::Percent, "%", kNone, W::Both, "Percent",
     "Completes the calculation and shows a hundredth of it"},
    {"CommaButton", ",", H::Comma, ",.", kNone, W::Both, "Decimal comma",
     "Starts the decimals of the number"},
    {"BackButton", "Back", H::Back, "\b", kNone, W::Both, "Backspace",
     "Removes the last character of the number"},
    {"SignButton", "+/-", H::Sign, "", {vk::F9}, W::Both, "Change sign",
     "Changes the sign of the number"},
    {"ClearButton", "CE", H::Clear, "\x1b\x7f", kNone, W::Both, "Clear",
     "Clears the calculation and keeps the memory"},
    {"ClearAllButton", "C", H::ClearAll, "", {vk::Delete, true}, W::Both, "Clear all",
     "Clears the calculation and the memory"},
    {"MemClearBtn", "MC", H::MemClear, "", Ctrl('L'), W::Both, "Memory clear",
     "Sets the memory to zero"},
    {"MemButton", "MR", H::MemRecall, "", Ctrl('R'), W::Both, "Memory recall",
     "Shows the number in the memory"},
    {"SpeedButton22", "MS", H::MemStore, "", Ctrl('M'), W::Both, "Memory store",
     "Stores the displayed number in the memory"},
    {"MemPlusBtn", "M+", H::MemPlus, "", Ctrl('P'), W::Both, "Memory add",
     "Adds the number to the memory and shows the memory"},
    {"PiBtn", "Pi", H::Pi, "p", kNone, W::ScientificOnly, "Pi", "Shows the number pi"},
};
// clang-format on

// Key strokes that type no character still mean the character of their key: the digit rows
// (also on layouts that need Shift for digits), the numeric keypad, and the editing keys of
// platforms that give them no character.
struct TKeyCodes {
  std::uint16_t First, Last;
  char FirstCharacter;
};
constexpr TKeyCodes kKeyCodes[] = {
    {vk::Digit0, vk::Digit0 + 9, '0'}, {vk::Numpad0, vk::Numpad0 + 9, '0'},
    {vk::Return, vk::Return, '\r'},    {vk::Multiply, vk::Multiply, '*'},
    {vk::Add, vk::Add, '+'},           {vk::Subtract, vk::Subtract, '-'},
    {vk::Decimal, vk::Decimal, ','},   {vk::Divide, vk::Divide, '/'},
    {vk::Back, vk::Back, '\b'},        {vk::Escape, vk::Escape, '\x1b'},
    {vk::Delete, vk::Delete, '\x7f'},
};

constexpr TMenuShortcut kShortcuts[] = {{"Ctrl+C", "Kopyala1", TMenuCommand::Copy},
                                        {"Ctrl+V", "Yaptr1", TMenuCommand::Paste}};

std::string SpokenCharacter(char c) {
  switch (c) {
    case '\r':
      return "Enter";
    case '\b':
      return "Backspace";
    case '\x1b':
      return "Escape";
    case '\x7f':
      return "Delete";
    default:
      return std::string(1, UpperAscii(c));
  }
}

}  // namespace

std::span<const TCalculatorKey> CalculatorKeys() { return kKeys; }

const TCalculatorKey* KeyOfComponent(std::string_view component) {
  for (const TCalculatorKey& key : kKeys)
    if (key.Component == component) return &key;
  return nullptr;
}

const TCalculatorKey* KeyOfCaption(std::string_view caption) {
  const std::string wanted = LowerAscii(caption);
  for (const TCalculatorKey& key : kKeys)
    if (LowerAscii(key.Caption) == wanted) return &key;
  return nullptr;
}

const TCalculatorKey* KeyOfCharacter(char character) {
  if (character == '\0') return nullptr;
  const char wanted = LowerAscii(character);
  for (const TCalculatorKey& key : kKeys)
    if (key.Typed.find(wanted) != std::string_view::npos) return &key;
  return nullptr;
}

const TCalculatorKey* KeyOfStroke(std::uint16_t code, TShiftState shift) {
  const bool ctrl = shift.CtrlAlone();
  for (const TCalculatorKey& key : kKeys)
    if (key.Stroke.Code != 0 && key.Stroke.Code == code && key.Stroke.Ctrl == ctrl) return &key;
  if (ctrl) return nullptr;
  for (const TKeyCodes& codes : kKeyCodes)
    if (code >= codes.First && code <= codes.Last)
      return KeyOfCharacter(static_cast<char>(codes.FirstCharacter + (code - codes.First)));
  return nullptr;
}

std::string StrokeName(TKeyStroke stroke) {
  std::string name = stroke.Ctrl ? "Ctrl+" : "";
  if (const TNamedKey* key = NamedKeyOfCode(stroke.Code))
    name.append(key->Name);
  else
    name.push_back(static_cast<char>(stroke.Code));  // a letter or a digit: its own code
  return name;
}

std::string KeyboardKeysOf(const TCalculatorKey& key) {
  std::string keys;
  for (char c : key.Typed) keys.append(keys.empty() ? "" : " or ").append(SpokenCharacter(c));
  if (key.Stroke.Code != 0) keys.append(keys.empty() ? "" : " or ").append(StrokeName(key.Stroke));
  return keys;
}

std::span<const TMenuShortcut> MenuShortcuts() { return kShortcuts; }

}  // namespace numora
