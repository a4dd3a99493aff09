#include "AccessibleNames.h"

#include "AccessibleComponents.h"
#include "CalculatorKeys.h"

namespace numora {
namespace {

struct TSpokenComponent {
  const char* component;
  const char* name;  // empty: the display, whose name is the number it shows
  const char* description;
};

// The keys speak from the calculator's key table; these are the rest of the window.
constexpr TSpokenComponent kSpoken[] = {
    {"CalcEdit", "", "Shows the current number"},
    {"Edit1", "Keyboard input", "Takes the digits and operators typed on the keyboard"},
    {"Dzenle1", "Edit", "Copies and pastes the number"},
    {"Kopyala1", "Copy", "Copies the number to the clipboard"},
    {"Yaptr1", "Paste", "Puts the number on the clipboard on the display"},
    {"Grnm1", "View", "Switches between the calculators and opens the function drawer"},
    {"Standart1", "Standard", "Switches to the standard calculator"},
    {"Bilimsel1", "Scientific", "Switches to the scientific calculator"},
    {"Function1", "Function", "Opens the function drawer, which plots a formula"},
    {"Yardm1", "About", "Shows who made the program"},
    {"Hakknda1", "About Numora", "Shows the name, the contact and the author of the program"},
};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void NameForScreenReaders(QObject& window) {
  for (const TSpokenComponent& spoken : kSpoken)
    if (QObject* component = window.findChild<QObject*>(QLatin1String(spoken.component)))
      SetAccessibleText(*component, QString::fromUtf8(spoken.name),
                        QString::fromUtf8(spoken.description));
  for (const TCalculatorKey& key : CalculatorKeys()) {
    QObject* component = window.findChild<QObject*>(Text(key.Component));
    if (component == nullptr) continue;
    SetAccessibleText(*component, Text(key.Name), Text(key.Description));
    SetAccessibleKeys(*component, QString::fromStdString(KeyboardKeysOf(key)));
  }
}

}  // namespace numora
