#include "WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace numora {

void CentreOnFirstShow(QWidget& window, bool& centred) {
  if (centred) return;
  centred = true;
  if (const QScreen* screen = window.screen()) {
    const QRect frame = window.frameGeometry();
    window.move(screen->availableGeometry().center() -
                QPoint(frame.width() / 2, frame.height() / 2));
  }
}

}  // namespace numora
