// The pasted text is read code point by code point: its separators and signs come from
// every script's typography (no-break spaces, the minus sign U+2212, currency signs).
#include "PastedNumber.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "Engine.h"

namespace numora {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes UTF-8; a malformed sequence becomes kInvalid, which no rule below accepts.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) {
      points.push_back(kInvalid);
      ++i;
      continue;
    }
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = valid && (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    points.push_back(valid ? point : kInvalid);
    i += valid ? length : 1;
  }
  return points;
}

// Spaces that a number may be written with: around it, and between its digit groups.
bool IsWrittenSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\v' || c == U'\f' || c == U'\u00A0' || c == U'\u2007' ||
         c == U'\u2009' || c == U'\u202F';
}
bool IsGroupMark(char32_t c) {
  return (IsWrittenSpace(c) && c != U'\t') || c == U'\'' || c == U'\u2019';
}
bool IsCurrency(char32_t c) {
  return c == U'$' || c == U'\u20AC' || c == U'\u00A3' || c == U'\u00A5';
}
bool IsSign(char32_t c) { return c == U'+' || c == U'-' || c == U'\u2212'; }
bool IsDecimalDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

using TPoints = std::vector<char32_t>;

// The first line that holds more than white space, without the white space around it.
TPoints FirstLine(const TPoints& all) {
  std::size_t begin = 0;
  while (begin < all.size()) {
    std::size_t end = begin;
    while (end < all.size() && all[end] != U'\n' && all[end] != U'\r') ++end;
    std::size_t first = begin, last = end;
    while (first < last && IsWrittenSpace(all[first])) ++first;
    while (last > first && IsWrittenSpace(all[last - 1])) --last;
    if (first < last) return TPoints(all.begin() + first, all.begin() + last);
    begin = end + 1;
  }
  return {};
}

void TrimSpaces(TPoints& p) {
  while (!p.empty() && IsWrittenSpace(p.back())) p.pop_back();
  std::size_t first = 0;
  while (first < p.size() && IsWrittenSpace(p[first])) ++first;
  p.erase(p.begin(), p.begin() + first);
}

// Takes a sign and one currency sign off the ends ("-$5", "$-5", "5 €"); '-' or nothing.
bool TakeSignAndCurrency(TPoints& p, char& sign) {
  bool currency = false;
  const auto takeSign = [&] {
    if (p.empty() || !IsSign(p.front())) return;
    sign = p.front() == U'+' ? '+' : '-';
    p.erase(p.begin());
  };
  takeSign();
  if (!p.empty() && IsCurrency(p.front())) {
    currency = true;
    p.erase(p.begin());
    TrimSpaces(p);
    if (sign == 0) takeSign();
  }
  if (!currency && !p.empty() && IsCurrency(p.back())) {
    p.pop_back();
    TrimSpaces(p);
  }
  return !p.empty();
}

// Digit groups: the first of one to three digits, each further one of exactly three.
bool AppendGrouped(const TPoints& p, std::size_t begin, std::size_t end, char32_t groupSeparator,
                   std::string& digits) {
  std::size_t groupLength = 0, groups = 1;
  bool grouped = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char32_t c = p[i];
    if (IsDecimalDigit(c)) {
      digits.push_back(static_cast<char>(c));
      ++groupLength;
      continue;
    }
    if (!(IsGroupMark(c) || c == groupSeparator)) return false;
    if (groupLength == 0 || groupLength > 3 || (groups > 1 && groupLength != 3)) return false;
    grouped = true;
    groupLength = 0;
    ++groups;
  }
  return !grouped || groupLength == 3;
}

bool AppendDigits(const TPoints& p, std::size_t begin, std::size_t end, std::string& digits) {
  for (std::size_t i = begin; i < end; ++i) {
    if (!IsDecimalDigit(p[i])) return false;
    digits.push_back(static_cast<char>(p[i]));
  }
  return true;
}

// The mantissa as the display writes it, [digits] [',' digits], from the written one: where
// "." and "," both occur the last is the decimal separator, one that occurs once is one, and
// one that occurs more often separates groups.
bool DisplayMantissa(const TPoints& p, std::size_t end, std::string& text) {
  std::size_t dots = 0, commas = 0, lastDot = end, lastComma = end;
  for (std::size_t i = 0; i < end; ++i) {
    if (p[i] == U'.') ++dots, lastDot = i;
    if (p[i] == U',') ++commas, lastComma = i;
  }
  std::size_t decimal = end;
  char32_t group = 0;
  if (dots > 0 && commas > 0) {
    const bool commaLast = lastComma > lastDot;
    if ((commaLast ? commas : dots) != 1) return false;
    decimal = commaLast ? lastComma : lastDot;
    group = commaLast ? U'.' : U',';
  } else if (dots + commas == 1) {
    decimal = dots == 1 ? lastDot : lastComma;
  } else if (dots + commas > 1) {
    group = dots > 0 ? U'.' : U',';
  }
  std::string integer, fraction;
  if (!AppendGrouped(p, 0, decimal, group, integer)) return false;
  if (decimal < end && !AppendDigits(p, decimal + 1, end, fraction)) return false;
  if (integer.empty() && fraction.empty()) return false;
  text = (integer.empty() ? "0" : integer) + (fraction.empty() ? "" : "," + fraction);
  return true;
}

// [('E'|'e') [sign] digits] at the end; false for a malformed one.
bool DisplayExponent(const TPoints& p, std::size_t& mantissaEnd, std::string& text) {
  std::size_t e = 0;
  while (e < p.size() && p[e] != U'E' && p[e] != U'e') ++e;
  mantissaEnd = e;
  if (e == p.size()) return true;
  std::size_t i = e + 1;
  text = "E";
  if (i < p.size() && IsSign(p[i])) text.push_back(p[i++] == U'+' ? '+' : '-');
  const std::size_t digitsBegin = i;
  return AppendDigits(p, i, p.size(), text) && p.size() > digitsBegin;
}

}  // namespace

std::optional<std::string> ReadPastedNumber(std::string_view text) {
  TPoints p = FirstLine(CodePoints(text));
  char sign = 0;
  if (!TakeSignAndCurrency(p, sign)) return std::nullopt;
  std::size_t mantissaEnd = 0;
  std::string mantissa, exponent;
  if (!DisplayExponent(p, mantissaEnd, exponent) || !DisplayMantissa(p, mantissaEnd, mantissa))
    return std::nullopt;
  long double value = 0;
  try {
    value = StrToFloat((sign == '-' ? "-" : "") + mantissa + exponent);
  } catch (const EEngineFault&) {
    return std::nullopt;  // beyond the largest number
  }
  // Below the smallest number, a written non-zero number would become 0.
  if (value == 0 && mantissa.find_first_of("123456789") != std::string::npos) return std::nullopt;
  return FloatToStr(value);
}

}  // namespace numora
