#include "FormulaFunctions.h"

#include <cmath>
#include <limits>

#include "AsciiCase.h"
#include "DecimalDigits.h"

namespace numora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kManyArgs = 255;

bool EqualUpper(std::string_view upper, std::string_view name) {
  if (upper.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (upper[i] != UpperAscii(name[i])) return false;
  }
  return true;
}

// Without a second argument, to a whole number.
double Round(const double* a, int n) { return RoundToPlaces(a[0], n > 1 ? std::trunc(a[1]) : 0); }
double Trunc(const double* a, int n) {
  return TruncateToPlaces(a[0], n > 1 ? std::trunc(a[1]) : 0);
}

// A base of 1 divides by zero, and so has no number.
double Log(const double* a, int n) {
  if (n == 1) return std::log10(a[0]);
  return std::log(a[0]) / std::log(a[1]);
}

// The result takes the sign of the divisor, as in spreadsheets; a divisor 0 gives no number.
// fmod's remainder is exact, where x - y * floor(x / y) loses it in the rounded quotient.
double Mod(const double* a, int) {
  const double remainder = std::fmod(a[0], a[1]);
  if (remainder != 0 && (remainder < 0) != (a[1] < 0)) return remainder + a[1];
  return remainder;
}

double Sign(const double* a, int) { return a[0] > 0 ? 1.0 : a[0] < 0 ? -1.0 : 0.0; }

template <bool kMax>
double Extreme(const double* a, int n) {
  double best = a[0];
  for (int i = 1; i < n; ++i)
    if (kMax ? a[i] > best : a[i] < best) best = a[i];
  return best;
}

template <double (*F)(double)>
double Unary(const double* a, int) {
  return F(a[0]);
}

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Asin(double x) { return std::asin(x); }
double Acos(double x) { return std::acos(x); }
double Atan(double x) { return std::atan(x); }
double Sinh(double x) { return std::sinh(x); }
double Cosh(double x) { return std::cosh(x); }
double Tanh(double x) { return std::tanh(x); }
double Exp(double x) { return std::exp(x); }
double Ln(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Abs(double x) { return std::fabs(x); }
double Int(double x) { return std::floor(x); }

// Spreadsheet order: ATAN2(x, y) is the angle of the point (x, y).
double Atan2(const double* a, int) {
  if (a[0] == 0 && a[1] == 0) return kNaN;
  return std::atan2(a[1], a[0]);
}
double Power(const double* a, int) { return std::pow(a[0], a[1]); }
double Pi(const double*, int) { return 3.14159265358979323846; }

TFunctionTable BuildStandard() {
  TFunctionTable t;
  t.Register("SIN", 1, 1, Unary<Sin>);
  t.Register("COS", 1, 1, Unary<Cos>);
  t.Register("TAN", 1, 1, Unary<Tan>);
  t.Register("ASIN", 1, 1, Unary<Asin>);
  t.Register("ACOS", 1, 1, Unary<Acos>);
  t.Register("ATAN", 1, 1, Unary<Atan>);
  t.Register("ATAN2", 2, 2, Atan2);
  t.Register("SINH", 1, 1, Unary<Sinh>);
  t.Register("COSH", 1, 1, Unary<Cosh>);
  t.Register("TANH", 1, 1, Unary<Tanh>);
  t.Register("EXP", 1, 1, Unary<Exp>);
  t.Register("LN", 1, 1, Unary<Ln>);
  t.Register("LOG", 1, 2, Log);
  t.Register("LOG10", 1, 1, Unary<Log10>);
  t.Register("SQRT", 1, 1, Unary<Sqrt>);
  t.Register("ABS", 1, 1, Unary<Abs>);
  t.Register("INT", 1, 1, Unary<Int>);
  t.Register("ROUND", 1, 2, Round);
  t.Register("TRUNC", 1, 2, Trunc);
  t.Register("MOD", 2, 2, Mod);
  t.Register("POWER", 2, 2, Power);
  t.Register("SIGN", 1, 1, Sign);
  t.Register("MIN", 1, kManyArgs, Extreme<false>);
  t.Register("MAX", 1, kManyArgs, Extreme<true>);
  t.Register("PI", 0, 0, Pi);
  return t;
}

}  // namespace

void TFunctionTable::Register(std::string_view name, int minArgs, int maxArgs,
                              TFormulaFunction function) {
  std::string upper(name);
  for (char& c : upper) c = UpperAscii(c);
  entries_.push_back({std::move(upper), minArgs, maxArgs, function});
}

const TFunctionEntry* TFunctionTable::Find(std::string_view name) const {
  for (const TFunctionEntry& entry : entries_) {
    if (EqualUpper(entry.name, name)) return &entry;
  }
  return nullptr;
}

const TFunctionTable& TFunctionTable::Standard() {
  static const TFunctionTable table = BuildStandard();
  return table;
}

}  // namespace numora
