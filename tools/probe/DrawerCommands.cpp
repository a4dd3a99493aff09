#include <cstdio>

#include "Commands.h"

namespace numora::probe {

int RunPlot(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

int RunReadout(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

}  // namespace numora::probe
