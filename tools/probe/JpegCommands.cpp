#include <cstdio>

#include "Commands.h"

namespace numora::probe {

int RunJpegInfo(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

int RunJpegDecode(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

int RunJpegEncode(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

int RunPictureRecord(const TArgs&) {
  std::fputs("numora-probe: not built yet\n", stderr);
  return 2;
}

}  // namespace numora::probe
