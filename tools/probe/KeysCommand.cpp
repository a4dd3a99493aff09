#include <cstdio>

#include "Commands.h"

namespace numora::probe {

int RunKeys(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

}  // namespace numora::probe
