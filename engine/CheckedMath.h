// Extended arithmetic whose faults come from the floating-point status flags.
// Private to the engine.
#pragma once

#include <cfenv>
#include <string_view>

namespace numora::detail {

// Passes a value through a volatile slot: the compiler can neither fold the arithmetic that
// uses it at compile time nor move that arithmetic before the flags are cleared.
inline long double Opaque(long double value) {
  volatile long double slot = value;
  return slot;
}

inline constexpr int kFaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

struct TFlaggedResult {
  long double Value;
  int Raised;  // the subset of kFaultFlags the computation raised
};

// Runs op (which must read its operands through Opaque) between clearing and reading the
// status flags.
template <class TOp>
TFlaggedResult Evaluate(TOp op) {
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile long double result = op();
  const int raised = std::fetestexcept(kFaultFlags);
  return {result, raised};
}

// Throws the EEngineFault for the raised flags, naming the operation; does nothing for 0.
void ThrowForFlags(int raised, std::string_view operation);

template <class TOp>
long double Checked(std::string_view operation, TOp op) {
  const TFlaggedResult r = Evaluate(op);
  ThrowForFlags(r.Raised, operation);
  return r.Value;
}

// Sine, cosine and tangent of an angle in degrees, right to the last of 15 digits: the angle
// is reduced by whole turns and quarter turns exactly before anything is rounded, so whole
// multiples of 90 degrees give exact values and the tangent of an odd multiple of 90 degrees
// is an invalid operation. Faults name the operation.
long double SineOfDegrees(std::string_view operation, long double degrees);
long double CosineOfDegrees(std::string_view operation, long double degrees);
long double TangentOfDegrees(std::string_view operation, long double degrees);

}  // namespace numora::detail
