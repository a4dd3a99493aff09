#include "CalculatorKeys.h"

#include "AsciiCase.h"

namespace numora {

namespace {

using H = TKeyHandler;

// Enter types "\r", Backspace "\b", Escape "\x1b" and Delete "\x7f" on the platforms that
// give these keys a character at all.
// clang-format off
constexpr TCalculatorKey kKeys[] = {
    {"ZeroButton", "0", H::Digit, "0", "Zero", "Types the digit zero"},
    {"OneButton", "1", H::Digit, "1", "One", "Types the digit one"},
    {"TwoButton", "2", H::Digit, "2", "Two", "Types the digit two"},
    {"ThreeButton", "3", H::Digit, "3", "Three", "Types the digit three"},
    {"FourButton", "4", H::Digit, "4", "Four", "Types the digit four"},
    {"FiveButton", "5", H::Digit, "5", "Five", "Types the digit five"},
    {"SixButton", "6", H::Digit, "6", "Six", "Types the digit six"},
    {"SevenButton", "7", H::Digit, "7", "Seven", "Types the digit seven"},
    {"EightButton", "8", H::Digit, "8", "Eight", "Types the digit eight"},
    {"NineButton", "9", H::Digit, "9", "Nine", "Types the digit nine"},
    {"PlusButton", "+", H::Operator, "+", "Plus", "Adds the next number"},
    {"MinusButton", "--", H::Operator, "-", "Minus", "Subtracts the next number"},
    {"MultiplyButton", "*", H::Operator, "*", "Multiply", "Multiplies by the next number"},
    {"DivideButton", "/", H::Operator, "/", "Divide", "Divides by the next number"},
    {"EqualButton", "=", H::Operator, "=\r", "Equals",
     "Completes the calculation and shows the result"},
    {"xUPyButton", "x^y", H::Operator, "", "Power",
     "Raises the number to the power of the next number"},
    {"RootButton", "Sqrt", H::Function, "", "Square root", "Takes the square root of the number"},
    {"AdverseButton", "1/x", H::Function, "", "Reciprocal", "Divides one by the number"},
    {"SquareButton", "x^2", H::Function, "", "Square", "Multiplies the number by itself"},
    {"CubeButton", "x^3", H::Function, "", "Cube", "Raises the number to the third power"},
    {"FactorButton", "n!", H::Function, "", "Factorial",
     "Multiplies the whole numbers from the number down to one"},
    {"ExpButton", "exp", H::Function, "", "Exponential", "Raises e to the power of the number"},
    {"LnButton", "ln", H::Function, "", "Natural logarithm",
     "Takes the natural logarithm of the number"},
    {"LogButton", "log", H::Function, "", "Logarithm",
     "Takes the logarithm to base ten of the number"},
    {"SinButton", "sin", H::Function, "", "Sine", "Takes the sine of the number in degrees"},
    {"CosButton", "cos", H::Function, "", "Cosine", "Takes the cosine of the number in degrees"},
    {"TanButton", "tan", H::Function, "", "Tangent", "Takes the tangent of the number in degrees"},
    {"PercentButton", "%", H::Percent, "", "Percent",
     "Completes the calculation and shows a hundredth of it"},
    {"CommaButton", ",", H::Comma, ",.", "Decimal comma", "Starts the decimals of the number"},
    {"BackButton", "Back", H::Back, "\b", "Backspace", "Removes the last character of the number"},
    {"SignButton", "+/-", H::Sign, "", "Change sign", "Changes the sign of the number"},
    {"ClearButton", "CE", H::Clear, "\x1b\x7f", "Clear",
     "Clears the calculation and keeps the memory"},
    {"ClearAllButton", "C", H::ClearAll, "", "Clear all",
     "Clears the calculation and the memory"},
    {"MemClearBtn", "MC", H::MemClear, "", "Memory clear", "Sets the memory to zero"},
    {"MemButton", "MR", H::MemRecall, "", "Memory recall", "Shows the number in the memory"},
    {"SpeedButton22", "MS", H::MemStore, "", "Memory store",
     "Stores the displayed number in the memory"},
    {"MemPlusBtn", "M+", H::MemPlus, "", "Memory add",
     "Adds the number to the memory and shows the memory"},
    {"PiBtn", "Pi", H::Pi, "", "Pi", "Shows the number pi"},
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
    {48, 57, '0'},   {96, 105, '0'},   {13, 13, '\r'},   {106, 106, '*'},
    {107, 107, '+'}, {109, 109, '-'},  {110, 110, ','},  {111, 111, '/'},
    {8, 8, '\b'},    {27, 27, '\x1b'}, {46, 46, '\x7f'},
};

constexpr TMenuShortcut kShortcuts[] = {{"Ctrl+C", "Kopyala1", TMenuCommand::Copy},
                                        {"Ctrl+V", "Yaptr1", TMenuCommand::Paste}};

std::string_view SpokenCharacter(char c) {
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
      return {};
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
  for (const TCalculatorKey& key : kKeys)
    if (key.Typed.find(character) != std::string_view::npos) return &key;
  return nullptr;
}

const TCalculatorKey* KeyOfVirtualKey(std::uint16_t virtualKey) {
  for (const TKeyCodes& codes : kKeyCodes)
    if (virtualKey >= codes.First && virtualKey <= codes.Last)
      return KeyOfCharacter(static_cast<char>(codes.FirstCharacter + (virtualKey - codes.First)));
  return nullptr;
}

std::string KeyboardKeysOf(const TCalculatorKey& key) {
  std::string keys;
  for (char c : key.Typed) {
    const std::string_view spoken = SpokenCharacter(c);
    keys.append(keys.empty() ? "" : " or ");
    keys.append(spoken.empty() ? std::string_view(&c, 1) : spoken);
  }
  return keys;
}

std::span<const TMenuShortcut> MenuShortcuts() { return kShortcuts; }

}  // namespace numora
