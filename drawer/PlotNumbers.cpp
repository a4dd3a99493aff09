#include "PlotNumbers.h"

#include <cmath>
#include <limits>

#include "Engine.h"

namespace numora {

std::optional<std::int64_t> RoundHalfEven(double value) {
  constexpr double kTwo63 = 9223372036854775808.0;
  if (!std::isfinite(value) || value >= kTwo63 || value < -kTwo63) return std::nullopt;
  // Exact: below 2^52 the fraction is representable, above it every double is an integer.
  // Done by hand so the result never depends on the floating-point rounding mode.
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  return static_cast<std::int64_t>(rounded);
}

std::optional<int> PixelCoordinate(double value, int offset) {
  const std::optional<std::int64_t> rounded = RoundHalfEven(value);
  if (!rounded) return std::nullopt;
  constexpr std::int64_t kMin = std::numeric_limits<int>::min();
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  // |rounded| may be near 2^63: compare before adding.
  if (*rounded < kMin - offset || *rounded > kMax - offset) return std::nullopt;
  return static_cast<int>(*rounded + offset);
}

std::string IntegerText(std::int64_t value) { return std::to_string(value); }

std::string RoundedText(double value) {
  const std::optional<std::int64_t> rounded = RoundHalfEven(value);
  return rounded ? IntegerText(*rounded) : FloatToStr(value);
}

}  // namespace numora
