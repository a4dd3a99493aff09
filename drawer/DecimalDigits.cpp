#include "DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numora {
namespace {

// The digits a spreadsheet keeps of a number.
constexpr int kSignificantDigits = 15;

// x's 15 significant digits and the decimal exponent of the first: x = 0.d1d2...d15 * 10^(e+1).
struct TDecimalForm {
  bool negative;
  char digits[kSignificantDigits];
  int exponent;
};

TDecimalForm DecimalForm(double x) {
  char text[40];
  // to_chars, unlike printf, never takes the locale's decimal point.
  const auto [end, error] = std::to_chars(text, text + sizeof text, std::fabs(x),
                                          std::chars_format::scientific, kSignificantDigits - 1);
  TDecimalForm form{x < 0, {}, 0};
  const char* p = text;
  for (char& digit : form.digits) {
    if (*p == '.') ++p;
    digit = *p++;
  }
  ++p;                 // the 'e'
  if (*p == '+') ++p;  // from_chars takes a minus sign only
  std::from_chars(p, end, form.exponent);
  return form;
}

template <bool kRound>
double CutToPlaces(double x, double places) {
  if (x == 0) return x;
  const TDecimalForm form = DecimalForm(x);
  // How many of the 15 digits stay; the clamp keeps the sum in range for any places.
  const int kept = form.exponent + 1 + static_cast<int>(std::clamp(places, -400.0, 400.0));
  if (kept >= kSignificantDigits) return x;  // nothing to cut
  if (kept < 0) return 0;

  std::string digits(form.digits, form.digits + kept);
  int exponent = form.exponent - kept + 1;  // of the last kept digit
  if (kRound && form.digits[kept] >= '5') {
    int i = kept - 1;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i >= 0)
      ++digits[i];
    else
      digits.insert(digits.begin(), '1');
  }
  if (digits.empty()) return 0;

  std::string text = (form.negative ? "-" : "") + digits + "e" + std::to_string(exponent);
  double result = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (error == std::errc::result_out_of_range) {
    // Rounded up past the largest double, or cut below the smallest.
    result = exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return form.negative ? -result : result;
  }
  return result;
}

}  // namespace

double RoundToPlaces(double x, double places) { return CutToPlaces<true>(x, places); }
double TruncateToPlaces(double x, double places) { return CutToPlaces<false>(x, places); }

}  // namespace numora
