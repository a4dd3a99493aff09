// Calculate: applies the pending operation to the Accumulator and the displayed number.
#include <cmath>
#include <functional>

#include "CheckedMath.h"
#include "Engine.h"

namespace numora {

using detail::Checked;
using detail::Evaluate;
using detail::Opaque;

namespace {

// What one operation works on. A fault leaves a step before it stores into a, so the
// Accumulator keeps the last value that was stored.
struct TStep {
  std::string_view p;              // the operation's name, for fault texts
  long double& a;                  // the Accumulator
  std::function<long double()> x;  // the displayed number, read anew at each use
  std::function<void(long double value, int raised)> storeQuotient;
};

struct TOperation {
  std::string_view Name;
  void (*Compute)(TStep& s);
};

// The displayed number through f, or the Accumulator and it: the shape of most operations.
template <class F>
void OfX(TStep& s, F f) {
  const long double v = s.x();
  s.a = Checked(s.p, [&] { return f(Opaque(v)); });
}
template <class F>
void OfAccumulatorAndX(TStep& s, F f) {
  const long double v = s.x();
  s.a = Checked(s.p, [&] { return f(Opaque(s.a), Opaque(v)); });
}

void Sum(TStep& s) {
  OfAccumulatorAndX(s, [](long double a, long double v) { return a + v; });
}

// "Cube" stores x * x before it multiplies once more, so an overflow of the last product
// leaves the square in the Accumulator.
constexpr TOperation kOperations[] = {
    {"Exp", [](TStep& s) { OfX(s, [](long double v) { return std::exp(v); }); }},
    {"Ln", [](TStep& s) { OfX(s, [](long double v) { return std::log(v); }); }},
    {"Log", [](TStep& s) { OfX(s, [](long double v) { return std::log10(v); }); }},
    {"Factor",
     [](TStep& s) {
       s.a = 1;
       long double n = s.x();
       while (n > 0) {
         s.a = Checked(s.p, [&] { return Opaque(s.a) * Opaque(n); });
         n = Checked(s.p, [&] { return Opaque(n) - 1; });
       }
     }},
    {"Tan", [](TStep& s) { s.a = detail::TangentOfDegrees(s.p, s.x()); }},
    {"Sin", [](TStep& s) { s.a = detail::SineOfDegrees(s.p, s.x()); }},
    {"Cos", [](TStep& s) { s.a = detail::CosineOfDegrees(s.p, s.x()); }},
    {"Cube",
     [](TStep& s) {
       const long double l = s.x(), r = s.x();
       s.a = Checked(s.p, [&] { return Opaque(l) * Opaque(r); });
       const long double square = s.a, v = s.x();
       s.a = Checked(s.p, [&] { return Opaque(square) * Opaque(v); });
     }},
    {"Square",
     [](TStep& s) {
       const long double l = s.x(), r = s.x();
       s.a = Checked(s.p, [&] { return Opaque(l) * Opaque(r); });
     }},
    {"Num", Sum},
    {"Plus", Sum},
    {"Minus",
     [](TStep& s) { OfAccumulatorAndX(s, [](long double a, long double v) { return a - v; }); }},
    {"Multiply",
     [](TStep& s) { OfAccumulatorAndX(s, [](long double a, long double v) { return a * v; }); }},
    {"Divide",
     [](TStep& s) {
       const long double v = s.x();
       const detail::TFlaggedResult q = Evaluate([&] { return Opaque(s.a) / Opaque(v); });
       s.storeQuotient(q.Value, q.Raised);
     }},
    {"Adverse",
     [](TStep& s) {
       const long double v = s.x();
       const detail::TFlaggedResult q = Evaluate([&] { return 1 / Opaque(v); });
       s.storeQuotient(q.Value, q.Raised);
     }},
    {"Root", [](TStep& s) { OfX(s, [](long double v) { return std::sqrt(v); }); }},
    {"Equal", [](TStep& s) { s.a = s.x(); }},
    // After "%", as after "=", a typed number begins a new calculation.
    {"Percent", [](TStep& s) { s.a = s.x(); }},
    {"xUPy",
     [](TStep& s) {
       const long double v = s.x();
       // The logarithm of 0 is its own division by zero, not the invalid 0 * -inf after it.
       const long double logarithm = Checked(s.p, [&] { return std::log(Opaque(s.a)); });
       const long double exponent = Checked(s.p, [&] { return Opaque(v) * Opaque(logarithm); });
       s.a = Checked(s.p, [&] { return std::exp(Opaque(exponent)); });
     }},
};

}  // namespace

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

// Any other name (the empty one) leaves the Accumulator as it is; the display still shows it,
// which also normalises a typed text ("007" shows "7").
void TCalculatorEngine::Calculate(TCalcWindow& window) {
  // A copy: the modal "Division by Zero" box must not change which operation runs.
  const std::string p = state_.PendingOperation;
  for (const TOperation& operation : kOperations) {
    if (operation.Name != p) continue;
    TStep step{p, state_.Accumulator, [&window] { return StrToFloat(window.DisplayText()); },
               [this, &p](long double value, int raised) { StoreQuotient(p, value, raised); }};
    operation.Compute(step);
    break;
  }
  window.SetDisplayText(FloatToStr(state_.Accumulator));
}

}  // namespace numora
