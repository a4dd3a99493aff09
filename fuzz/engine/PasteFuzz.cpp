// Any bytes as a pasted text: either refused, or read into a display text that StrToFloat
// reads back, that FloatToStr writes again unchanged, and that the reader takes as it is.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Engine.h"
#include "PastedNumber.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> shown = numora::ReadPastedNumber(text);
  if (!shown) return 0;
  long double value = 0;
  try {
    value = numora::StrToFloat(*shown);
  } catch (const numora::EEngineFault&) {
    Check(false);
  }
  Check(std::isfinite(value));
  Check(numora::FloatToStr(value) == *shown);
  Check(numora::ReadPastedNumber(*shown) == shown);
  return 0;
}
