// Where a window first appears.
#pragma once

class QWidget;

namespace numora {

// Centres the window, frame included, on the free area of its screen the first time it is
// shown (centred records that); a window shown again stays where the user left it.
void CentreOnFirstShow(QWidget& window, bool& centred);

}  // namespace numora
