#include "PlotNumbers.h"

#include <cmath>

#include "Engine.h"

namespace numora {

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  // Exact: below 2^52 the fraction is representable, above it every double is an integer.
  // Done by hand so the result never depends on the floating-point rounding mode.
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) return floor + 1.0;
  return floor;
}

std::string IntegerText(std::int64_t value) { return std::to_string(value); }

std::string RoundedText(double value) {
  constexpr double kTwo63 = 9223372036854775808.0;
  const double rounded = RoundHalfEven(value);
  if (rounded >= -kTwo63 && rounded < kTwo63) return IntegerText(std::int64_t(rounded));
  return FloatToStr(value);  // also NaN, which no comparison lets through
}

}  // namespace numora
