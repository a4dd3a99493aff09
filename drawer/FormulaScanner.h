// Splits a formula text into tokens, one at a time, without copying.
#pragma once

#include <cstddef>
#include <string_view>

namespace numora {

enum class TTokenKind {
  kNumber,
  kName,  // letters and digits starting with a letter: a function or a cell reference
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kCaret,
  kOpen,
  kClose,
  kComma,
  kEnd,
  kInvalid,  // a character no formula holds
};

struct TToken {
  TTokenKind kind;
  std::size_t offset;
  std::string_view text;
  double number;
};

class TFormulaScanner {
 public:
  explicit TFormulaScanner(std::string_view text) : text_(text) {}
  // Throws TFormulaFault for a malformed number.
  TToken Next();

 private:
  TToken ScanNumber(std::size_t start);
  std::string_view text_;
  std::size_t at_ = 0;
};

// Reads a whole decimal numeral: optional sign, digits with an optional "." part,
// optional exponent. Throws TFormulaFault (kExpectedNumeral) where the text departs from it.
double ReadDecimalNumeral(std::string_view text);

}  // namespace numora
