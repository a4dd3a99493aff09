#include "FormulaScanner.h"

#include <charconv>
#include <cmath>

#include "FormulaFault.h"

namespace numora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The extent of digits [. digits] [e [sign] digits] from start; 0 when there are no
// mantissa digits. exponentFault receives the offset of a missing exponent digit.
std::size_t NumeralLength(std::string_view text, std::size_t start, std::size_t& exponentFault) {
  std::size_t at = start, digits = 0;
  while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  }
  if (digits == 0) return 0;
  exponentFault = std::string_view::npos;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t e = at + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e >= text.size() || !IsDigit(text[e])) {
      exponentFault = e;
      return at - start;
    }
    while (e < text.size() && IsDigit(text[e])) ++e;
    at = e;
  }
  return at - start;
}

// Whether a numeral that no double holds lies below 1: the place of its first non-zero digit
// plus its exponent is negative. The exponent saturates far beyond any double's.
bool BelowOne(std::string_view numeral) {
  long place = 0;  // 10^place is the first non-zero digit's value, before the exponent
  std::size_t at = 0;
  while (at < numeral.size() && numeral[at] == '0') ++at;
  const std::size_t firstInteger = at;
  while (at < numeral.size() && IsDigit(numeral[at])) ++at;
  if (at > firstInteger) {
    place = long(at - firstInteger) - 1;
  } else if (at < numeral.size() && numeral[at] == '.') {
    const std::size_t point = at++;
    while (at < numeral.size() && numeral[at] == '0') ++at;
    place = -long(at - point);
  }
  at = numeral.find_first_of("eE");
  if (at == std::string_view::npos) return place < 0;
  const bool negative = numeral[++at] == '-';
  if (numeral[at] == '-' || numeral[at] == '+') ++at;
  long exponent = 0;
  for (; at < numeral.size(); ++at)
    if (exponent < 100000000L) exponent = exponent * 10 + (numeral[at] - '0');
  return place + (negative ? -exponent : exponent) < 0;
}

// Locale-free conversion; a magnitude too small for a double is 0, a too large one a fault.
double ConvertNumeral(std::string_view text, std::size_t offset) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (BelowOne(text)) return 0.0;
    throw TFormulaFault{offset, TFormulaFaultKind::kNumberOutOfRange, std::string(text)};
  }
  return value;
}

}  // namespace

TToken TFormulaScanner::Next() {
  while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  const std::size_t start = at_;
  if (at_ >= text_.size()) return {TTokenKind::kEnd, start, {}, 0};
  const char c = text_[at_];
  if (IsDigit(c) || c == '.') return ScanNumber(start);
  if (IsLetter(c)) {
    while (at_ < text_.size() && (IsLetter(text_[at_]) || IsDigit(text_[at_]))) ++at_;
    return {TTokenKind::kName, start, text_.substr(start, at_ - start), 0};
  }
  TTokenKind kind = TTokenKind::kInvalid;
  switch (c) {
    case '+':
      kind = TTokenKind::kPlus;
      break;
    case '-':
      kind = TTokenKind::kMinus;
      break;
    case '*':
      kind = TTokenKind::kStar;
      break;
    case '/':
      kind = TTokenKind::kSlash;
      break;
    case '^':
      kind = TTokenKind::kCaret;
      break;
    case '(':
      kind = TTokenKind::kOpen;
      break;
    case ')':
      kind = TTokenKind::kClose;
      break;
    case ',':
      kind = TTokenKind::kComma;
      break;
    default:
      return {TTokenKind::kInvalid, start, text_.substr(start, 1), 0};
  }
  ++at_;
  return {kind, start, text_.substr(start, 1), 0};
}

TToken TFormulaScanner::ScanNumber(std::size_t start) {
  std::size_t exponentFault = std::string_view::npos;
  const std::size_t length = NumeralLength(text_, start, exponentFault);
  if (length == 0) return {TTokenKind::kInvalid, start, text_.substr(start, 1), 0};
  if (exponentFault != std::string_view::npos) {
    throw TFormulaFault{exponentFault, TFormulaFaultKind::kExpectedExponentDigits, {}};
  }
  at_ = start + length;
  const std::string_view numeral = text_.substr(start, length);
  return {TTokenKind::kNumber, start, numeral, ConvertNumeral(numeral, start)};
}

double ReadDecimalNumeral(std::string_view text) {
  std::size_t start = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[0] == '-', start = 1;
  std::size_t exponentFault = std::string_view::npos;
  const std::size_t length = NumeralLength(text, start, exponentFault);
  if (length == 0) throw TFormulaFault{start, TFormulaFaultKind::kExpectedNumeral, {}};
  if (exponentFault != std::string_view::npos) {
    throw TFormulaFault{exponentFault, TFormulaFaultKind::kExpectedExponentDigits, {}};
  }
  if (start + length != text.size()) {
    throw TFormulaFault{start + length, TFormulaFaultKind::kExpectedNumeral, {}};
  }
  const double value = ConvertNumeral(text.substr(start, length), start);
  return negative ? -value : value;
}

}  // namespace numora
