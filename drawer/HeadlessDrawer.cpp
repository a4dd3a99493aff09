#include "HeadlessDrawer.h"

namespace numora {

std::chrono::nanoseconds TIdlePump::Now() {
  return std::chrono::steady_clock::now().time_since_epoch();
}

}  // namespace numora
