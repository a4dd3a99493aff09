// The words a screen reader speaks for the calculator windows' keys, display and menus.
#pragma once

#include <QObject>

namespace numora {

// Names and describes every key, the display, the keyboard field and the menu entries of a
// calculator window that it has (the scientific window has more keys than the standard one).
void NameForScreenReaders(QObject& window);

}  // namespace numora
