#include "HeadlessDrawer.h"

namespace numora {

std::chrono::nanoseconds TIdlePump::Now() {
  return std::chrono::steady_clock::now().time_since_epoch();
}

void THeadlessDrawer::MouseMove(int x, int y) {
  switch (TDrawerGeometry::Drawer().TargetAt(x, y)) {
    case TMouseTarget::Picture:
      logic.FormMouseMove(x, y);
      break;
    case TMouseTarget::HorizontalAxis:
      logic.Panel1MouseMove();
      break;
    case TMouseTarget::VerticalAxis:
      logic.Panel2MouseMove();
      break;
    case TMouseTarget::Other:
    case TMouseTarget::Outside:
      break;
  }
}

}  // namespace numora
