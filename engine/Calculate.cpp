// Calculate: applies the pending operation to the Accumulator and the displayed number.
#include <cmath>

#include "CheckedMath.h"
#include "Engine.h"

namespace numora {

using detail::Checked;
using detail::Evaluate;
using detail::Opaque;

// A non-zero number divided by zero is the one fault handled here: the result is 0 and the
// user is told; every other fault leaves the Accumulator as it was.
void TCalculatorEngine::StoreQuotient(std::string_view operation, long double value, int raised) {
  if (raised == FE_DIVBYZERO) {
    state_.Accumulator = 0;
    host_.ShowMessage("Division by Zero");
    host_.Beep();
    return;
  }
  detail::ThrowForFlags(raised, operation);
  state_.Accumulator = value;
}

void TCalculatorEngine::Calculate(TCalcWindow& window) {
  // A copy: the modal "Division by Zero" box must not change which tests run.
  const std::string p = state_.PendingOperation;
  long double& a = state_.Accumulator;
  const auto x = [&window] { return StrToFloat(window.DisplayText()); };

  // The tests are independent and in this order; "Cube" is tested twice on purpose: the
  // first stores x * x, the second multiplies once more.
  if (p == "Cube") {
    const long double l = x(), r = x();
    a = Checked(p, [&] { return Opaque(l) * Opaque(r); });
  }
  if (p == "Exp") {
    const long double v = x();
    a = Checked(p, [&] { return std::exp(Opaque(v)); });
  }
  if (p == "Ln") {
    const long double v = x();
    a = Checked(p, [&] { return std::log(Opaque(v)); });
  }
  if (p == "Log") {
    const long double v = x();
    a = Checked(p, [&] { return std::log10(Opaque(v)); });
  }
  if (p == "Factor") {
    a = 1;
    long double n = x();
    while (n > 0) {
      a = Checked(p, [&] { return Opaque(a) * Opaque(n); });
      n = Checked(p, [&] { return Opaque(n) - 1; });
    }
  }
  if (p == "Tan") a = detail::TangentOfDegrees(p, x());
  if (p == "Sin") a = detail::SineOfDegrees(p, x());
  if (p == "Cos") a = detail::CosineOfDegrees(p, x());
  if (p == "Cube") {
    const long double l = x(), r = x();
    const long double square = Checked(p, [&] { return Opaque(l) * Opaque(r); });
    const long double s = x();
    a = Checked(p, [&] { return Opaque(square) * Opaque(s); });
  }
  if (p == "Square") {
    const long double l = x(), r = x();
    a = Checked(p, [&] { return Opaque(l) * Opaque(r); });
  }
  if (p == "Num" || p == "Plus") {
    const long double v = x();
    a = Checked(p, [&] { return Opaque(a) + Opaque(v); });
  }
  if (p == "Minus") {
    const long double v = x();
    a = Checked(p, [&] { return Opaque(a) - Opaque(v); });
  }
  if (p == "Multiply") {
    const long double v = x();
    a = Checked(p, [&] { return Opaque(a) * Opaque(v); });
  }
  if (p == "Divide") {
    const long double v = x();
    const detail::TFlaggedResult q = Evaluate([&] { return Opaque(a) / Opaque(v); });
    StoreQuotient(p, q.Value, q.Raised);
  }
  if (p == "Adverse") {
    const long double v = x();
    const detail::TFlaggedResult q = Evaluate([&] { return 1 / Opaque(v); });
    StoreQuotient(p, q.Value, q.Raised);
  }
  if (p == "Root") {
    const long double v = x();
    a = Checked(p, [&] { return std::sqrt(Opaque(v)); });
  }
  if (p == "Equal") a = x();
  if (p == "xUPy") {
    const long double v = x();
    // The logarithm of 0 is its own division by zero, not the invalid 0 * -inf after it.
    const long double logarithm = Checked(p, [&] { return std::log(Opaque(a)); });
    const long double exponent = Checked(p, [&] { return Opaque(v) * Opaque(logarithm); });
    a = Checked(p, [&] { return std::exp(Opaque(exponent)); });
  }
  window.SetDisplayText(FloatToStr(a));
}

}  // namespace numora
