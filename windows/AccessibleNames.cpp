#include "AccessibleNames.h"

#include "AccessibleComponents.h"

namespace numora {
namespace {

struct TSpokenComponent {
  const char* component;
  const char* name;  // empty: the display, whose name is the number it shows
  const char* description;
};

// Names expand what the key shows ("MR" is "Memory recall"); descriptions say what it does,
// also where that is not what the caption suggests ("MR" stores, "MS" does nothing).
constexpr TSpokenComponent kSpoken[] = {
    {"CalcEdit", "", "Shows the current number"},
    {"Edit1", "Keyboard input", "Takes the digits and operators typed on the keyboard"},
    {"ClearAllButton", "Clear all", "Clears the calculation and the memory"},
    {"ClearButton", "Clear", "Clears the calculation and keeps the memory"},
    {"BackButton", "Backspace", "Removes the last character of the number"},
    {"MemClearBtn", "Memory clear", "Sets the memory to zero"},
    {"MemButton", "Memory recall", "Stores the running result in memory"},
    {"SpeedButton22", "Memory store", "Does nothing"},
    {"MemPlusBtn", "Memory add", "Adds the number to the memory and shows the memory"},
    {"ZeroButton", "Zero", "Types the digit zero"},
    {"OneButton", "One", "Types the digit one"},
    {"TwoButton", "Two", "Types the digit two"},
    {"ThreeButton", "Three", "Types the digit three"},
    {"FourButton", "Four", "Types the digit four"},
    {"FiveButton", "Five", "Types the digit five"},
    {"SixButton", "Six", "Types the digit six"},
    {"SevenButton", "Seven", "Types the digit seven"},
    {"EightButton", "Eight", "Types the digit eight"},
    {"NineButton", "Nine", "Types the digit nine"},
    {"CommaButton", "Decimal comma", "Starts the decimals of the number"},
    {"SignButton", "Change sign", "Changes the sign of the number"},
    {"PlusButton", "Plus", "Adds the next number"},
    {"MinusButton", "Minus", "Subtracts the next number"},
    {"MultiplyButton", "Multiply", "Multiplies by the next number"},
    {"DivideButton", "Divide", "Divides by the next number"},
    {"EqualButton", "Equals", "Completes the calculation and shows the result"},
    {"PercentButton", "Percent", "Completes the calculation and shows a hundredth of it"},
    {"RootButton", "Square root", "Takes the square root of the number"},
    {"AdverseButton", "Reciprocal", "Divides one by the number"},
    {"ExpButton", "Exponential", "Raises e to the power of the number"},
    {"LnButton", "Natural logarithm", "Takes the natural logarithm of the number"},
    {"LogButton", "Logarithm", "Takes the logarithm to base ten of the number"},
    {"SinButton", "Sine", "Takes the sine of the number in degrees"},
    {"CosButton", "Cosine", "Takes the cosine of the number in degrees"},
    {"TanButton", "Tangent", "Takes the tangent of the number in degrees"},
    {"SquareButton", "Square", "Multiplies the number by itself"},
    {"CubeButton", "Cube", "Raises the number to the third power"},
    {"FactorButton", "Factorial", "Multiplies the whole numbers from the number down to one"},
    {"xUPyButton", "Power", "Raises the number to the power of the next number"},
    {"PiBtn", "Pi", "Shows the number pi"},
    {"Dzenle1", "Edit", "Copies and pastes the number"},
    {"Kopyala1", "Copy", "Copies the number to the clipboard"},
    {"Yaptr1", "Paste", "Puts the text of the clipboard on the display"},
    {"Grnm1", "View", "Switches between the calculators and opens the function drawer"},
    {"Standart1", "Standard", "Switches to the standard calculator"},
    {"Bilimsel1", "Scientific", "Switches to the scientific calculator"},
    {"Function1", "Function", "Opens the function drawer, which plots a formula"},
    {"Yardm1", "About", "Shows who made the program"},
    {"Hakknda1", "About Numora", "Shows the name, the contact and the author of the program"},
};

}  // namespace

void NameForScreenReaders(QObject& window) {
  for (const TSpokenComponent& spoken : kSpoken)
    if (QObject* component = window.findChild<QObject*>(QLatin1String(spoken.component)))
      SetAccessibleText(*component, QString::fromUtf8(spoken.name),
                        QString::fromUtf8(spoken.description));
}

}  // namespace numora
