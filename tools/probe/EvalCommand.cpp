#include <cstdio>

#include "Commands.h"

namespace numora::probe {

int RunEval(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

}  // namespace numora::probe
