// Which window a box or secondary window belongs to. An owned window is kept above its owner
// by the window manager (on Windows by the system) and gets the keyboard from it; a window
// owned by a stay-on-top window stays on top as well, or the owner would still cover it.
#pragma once

class QWidget;

namespace numora {

// Call before showing the window; it keeps its owner until it is given another one.
void OwnWindow(QWidget& window, QWidget& owner);

}  // namespace numora
