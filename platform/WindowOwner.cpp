#include "WindowOwner.h"

#include <QWidget>
#include <QWindow>

namespace numora {

void OwnWindow(QWidget& window, QWidget& owner) {
  const bool onTop = owner.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  // Changing the flags makes a new native window: only when they change.
  if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  window.winId();  // the native window, which carries its owner to the window manager
  owner.winId();
  window.windowHandle()->setTransientParent(owner.windowHandle());
}

}  // namespace numora
