#include "CheckedMath.h"

#include <cmath>
#include <string>

#include "Engine.h"

namespace numora::detail {
namespace {

constexpr long double kRadiansPerDegree = kExtendedPi / 180;

enum class TTrigFunction { Sine, Cosine, Tangent };

// An angle as quarter turns (0 to 3) plus the rest, |rest| <= 45 degrees, mirrored to be
// non-negative. Every step is exact: fmod by 360 is, and rest = a - 90 k loses nothing
// because a lies within a factor of two of 90 k.
struct TQuarterTurns {
  bool mirrored;  // the angle was negative: sine and tangent change sign
  int quarter;
  long double rest;
};

TQuarterTurns QuarterTurns(std::string_view operation, long double degrees) {
  const long double turn = Checked(operation, [&] { return std::fmod(Opaque(degrees), 360.0L); });
  const long double a = std::fabs(turn);
  const long k = std::lround(a / 90);  // 0 to 4; only picks the nearest quarter
  return {turn < 0, static_cast<int>(k % 4), a - 90.0L * k};
}

long double OfDegrees(TTrigFunction function, std::string_view operation, long double degrees) {
  const TQuarterTurns angle = QuarterTurns(operation, degrees);
  const bool odd = angle.quarter % 2 != 0;
  // Of the quarter turn's start: sin, cos = (0, 1), (1, 0), (0, -1), (-1, 0).
  const long double sign = angle.quarter < 2 ? 1 : -1;
  long double value = 0;
  if (angle.rest == 0) {
    if (function == TTrigFunction::Tangent && odd) ThrowForFlags(FE_INVALID, operation);
    // sin is the one at odd quarter turns, cos at even ones; tan is 0 at even ones.
    const bool one = function != TTrigFunction::Tangent && (function == TTrigFunction::Sine) == odd;
    value = one ? sign : 0;
  } else {
    const long double radians =
        Checked(operation, [&] { return Opaque(angle.rest) * kRadiansPerDegree; });
    const long double s = Checked(operation, [&] { return std::sin(Opaque(radians)); });
    const long double c = Checked(operation, [&] { return std::cos(Opaque(radians)); });
    switch (function) {
      case TTrigFunction::Sine:  // sin(90 q + r)
        value = sign * (odd ? c : s);
        break;
      case TTrigFunction::Cosine:  // cos(90 q + r)
        value = odd ? -sign * s : sign * c;
        break;
      case TTrigFunction::Tangent:  // tan(90 q + r) = tan r, or -1 / tan r for odd q
        value = Checked(operation,
                        [&] { return odd ? -Opaque(c) / Opaque(s) : Opaque(s) / Opaque(c); });
        break;
    }
  }
  if (angle.mirrored && function != TTrigFunction::Cosine) value = -value;
  return value == 0 ? 0 : value;  // never a negative zero
}

}  // namespace

void ThrowForFlags(int raised, std::string_view operation) {
  using TKind = EEngineFault::TKind;
  const std::string where = " in " + std::string(operation);
  if (raised & FE_INVALID)
    throw EEngineFault(TKind::InvalidOperation, "Invalid floating point operation" + where);
  if (raised & FE_DIVBYZERO)
    throw EEngineFault(TKind::DivisionByZero, "Floating point division by zero" + where);
  if (raised & FE_OVERFLOW) throw EEngineFault(TKind::Overflow, "Floating point overflow" + where);
}

long double SineOfDegrees(std::string_view operation, long double degrees) {
  return OfDegrees(TTrigFunction::Sine, operation, degrees);
}

long double CosineOfDegrees(std::string_view operation, long double degrees) {
  return OfDegrees(TTrigFunction::Cosine, operation, degrees);
}

long double TangentOfDegrees(std::string_view operation, long double degrees) {
  return OfDegrees(TTrigFunction::Tangent, operation, degrees);
}

}  // namespace numora::detail
