// FloatToStr and StrToFloat: the display's number format, whatever the process locale is.
#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Engine.h"

namespace numora {

namespace {

constexpr int kSignificantDigits = 15;

// The 15 significant digits (trailing zeros dropped) and the exponent E of 0.d1d2... x 10^E.
struct TDecimal {
  std::string Digits;
  int Exponent;
};

// printf rounds the binary value correctly; only the digits and the exponent are taken from
// its output, so the locale's decimal point never matters.
TDecimal RoundToSignificantDigits(long double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits - 1, magnitude);
  TDecimal d{{}, 0};
  const char* p = buffer;
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.Digits.push_back(*p);
  }
  if (*p == 'e') d.Exponent = std::atoi(p + 1) + 1;
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
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

// Checks the display's number form and rewrites it in the C locale's form:
// [sign] digits [',' [digits]] [('E'|'e') [sign] digits], with at least one mantissa digit.
bool ToCNumber(std::string_view text, std::string& c) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) c.push_back(text[i++]);
  std::size_t mantissaDigits = 0;
  while (i < n && IsDigit(text[i])) c.push_back(text[i++]), ++mantissaDigits;
  if (i < n && text[i] == ',') {
    c.push_back('.');
    ++i;
    while (i < n && IsDigit(text[i])) c.push_back(text[i++]), ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    c.push_back('e');
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) c.push_back(text[i++]);
    std::size_t exponentDigits = 0;
    while (i < n && IsDigit(text[i])) c.push_back(text[i++]), ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == n;
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
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
  std::string c;
  if (!ToCNumber(core, c)) ThrowConversionFault(text);
  // The numeric form is checked above, so the C parser only rounds it to the nearest value.
  errno = 0;
  char* end = nullptr;
  const long double value = strtold_l(c.c_str(), &end, CLocale());
  if (end != c.c_str() + c.size() || std::isinf(value)) ThrowConversionFault(text);
  return value;
}

}  // namespace numora
