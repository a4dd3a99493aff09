// FloatToStr and StrToFloat: the display's number format, whatever the process locale is.
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "Engine.h"

namespace numora {

namespace {

constexpr std::size_t kSignificantDigits = 15;

// The 15 significant digits (trailing zeros dropped) and the exponent E of 0.d1d2... x 10^E.
struct TDecimal {
  std::string Digits;
  int Exponent;
};

// A print of this many significant digits decides the rounding unless its digits after the
// 15th read "5" and then only zeros: only then can the true value lie on either side of the
// tie (a typed 1,000000000000035 is stored just below it), and only then is the exact
// expansion printed.
constexpr int kProbeDigits = 20;

// The digits of magnitude as printf's %e prints them with this precision, and its exponent.
// Only the digits are taken, so the locale's decimal point never matters.
std::string PrintedDigits(long double magnitude, int precision, int& exponent) {
  std::string buffer(static_cast<std::size_t>(precision) + 16, '\0');
  const int length = std::snprintf(buffer.data(), buffer.size(), "%.*Le", precision, magnitude);
  if (length < 0 || static_cast<std::size_t>(length) >= buffer.size())
    throw std::system_error(length < 0 ? errno : ERANGE, std::generic_category(),
                            "FloatToStr: printing " + std::to_string(precision) + " digits");
  buffer.resize(static_cast<std::size_t>(length));
  const std::size_t e = buffer.find('e');
  exponent = std::atoi(buffer.c_str() + e + 1);
  std::string digits;
  digits.reserve(e);
  for (std::size_t i = 0; i < e; ++i) {
    if (buffer[i] >= '0' && buffer[i] <= '9') digits.push_back(buffer[i]);
  }
  return digits;
}

// A precision at which %e prints the exact decimal expansion: a value whose lowest set bit is
// 2^-k ends k digits after the decimal point, and its leading digit stands at 10^bound or
// lower, so bound + k digits after the leading one hold it all (a few zeros more do no harm).
int ExactPrecision(long double magnitude) {
  int binaryExponent = 0;
  const long double fraction = std::frexp(magnitude, &binaryExponent);
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  const int lowestBit = binaryExponent - 64 + std::countr_zero(significand);
  const int decimalExponentBound =
      static_cast<int>(std::floor(binaryExponent * 0.30102999566398120)) + 1;
  return decimalExponentBound - std::min(lowestBit, 0);
}

bool IsUndecidedTie(const std::string& digits) {
  return digits[kSignificantDigits] == '5' &&
         digits.find_first_not_of('0', kSignificantDigits + 1) == std::string::npos;
}

// Rounds half away from zero on the decimal digits of the exact value, so a tie such as
// 100000000000000,5 goes up and a value just below one never does.
TDecimal RoundToSignificantDigits(long double magnitude) {
  const int exact = ExactPrecision(magnitude);
  int exponent = 0;
  std::string digits = PrintedDigits(magnitude, std::min(exact, kProbeDigits - 1), exponent);
  if (exact >= kProbeDigits && IsUndecidedTie(digits)) {
    digits = PrintedDigits(magnitude, exact, exponent);
  }
  const bool up = digits.size() > kSignificantDigits && digits[kSignificantDigits] >= '5';
  if (digits.size() > kSignificantDigits) digits.resize(kSignificantDigits);
  if (up) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[i - 1];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, exponent + 1};
}

std::string FixedNotation(const TDecimal& d) {
  std::string text;
  const int count = static_cast<int>(d.Digits.size());
  if (d.Exponent <= 0) {
    text = "0," + std::string(-d.Exponent, '0') + d.Digits;
  } else if (count <= d.Exponent) {
    text = d.Digits + std::string(d.Exponent - count, '0');
  } else {
    text = d.Digits.substr(0, d.Exponent) + "," + d.Digits.substr(d.Exponent);
  }
  return text;
}

std::string ScientificNotation(const TDecimal& d) {
  std::string text(1, d.Digits[0]);
  if (d.Digits.size() > 1) text.append(",").append(d.Digits, 1);
  text.append("E").append(std::to_string(d.Exponent - 1));
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 80;
  std::string shown(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  return "'" + shown + "'";
}

[[noreturn]] void ThrowConversionFault(std::string_view text) {
  throw EEngineFault(EEngineFault::TKind::Conversion,
                     Quoted(text) + " is not a valid floating point value");
}

// Checks the display's number form, [sign] digits [',' [digits]] [('E'|'e') [sign] digits]
// with at least one mantissa digit, and rewrites it without a decimal separator, so that the C
// parser reads it the same in every locale: "-1,25E3" becomes "-125e1".
bool ToPlainNumber(std::string_view text, std::string& plain) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
  std::size_t mantissaDigits = 0;
  while (i < n && IsDigit(text[i])) plain.push_back(text[i++]), ++mantissaDigits;
  std::int64_t fractionDigits = 0;
  if (i < n && text[i] == ',') {
    ++i;
    while (i < n && IsDigit(text[i])) plain.push_back(text[i++]), ++fractionDigits;
  }
  if (mantissaDigits + static_cast<std::size_t>(fractionDigits) == 0) return false;
  std::int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    const bool negative = i < n && text[i] == '-';
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    // Beyond a billion every mantissa overflows or underflows alike: stop counting there.
    constexpr std::int64_t kSaturated = 1'000'000'000;
    while (i < n && IsDigit(text[i])) {
      exponent = std::min(exponent * 10 + (text[i++] - '0'), kSaturated);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
    if (negative) exponent = -exponent;
  }
  if (i != n) return false;
  plain.append("e").append(std::to_string(exponent - fractionDigits));
  return true;
}

}  // namespace

std::string FloatToStr(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // Negative zero shows as "0", like every other zero.
  if (value == 0) return "0";
  const TDecimal d = RoundToSignificantDigits(std::fabs(value));
  std::string text =
      (d.Exponent >= -3 && d.Exponent <= 15) ? FixedNotation(d) : ScientificNotation(d);
  return value < 0 ? "-" + text : text;
}

long double StrToFloat(std::string_view text) {
  std::string_view core = text;
  while (!core.empty() && IsBlank(core.front())) core.remove_prefix(1);
  while (!core.empty() && IsBlank(core.back())) core.remove_suffix(1);
  std::string plain;
  if (!ToPlainNumber(core, plain)) ThrowConversionFault(text);
  // The numeric form is checked above, so the C parser only rounds it to the nearest value.
  char* end = nullptr;
  const long double value = std::strtold(plain.c_str(), &end);
  if (end != plain.c_str() + plain.size() || std::isinf(value)) ThrowConversionFault(text);
  return value;
}

}  // namespace numora
