// Why a text is not a formula, and where: kept as data while compiling and turned into
// words only when the error leaves the evaluator.
#pragma once

#include <cstddef>
#include <string>

namespace numora {

enum class TFormulaFaultKind {
  kExpectedOperand,        // a number, reference, function or "(" was due
  kExpectedOperatorOrEnd,  // a complete operand is followed by something else
  kExpectedCloseParen,
  kExpectedCommaOrClose,
  kExpectedOpenParen,  // a function name without its argument list
  kExpectedExponentDigits,
  kNumberOutOfRange,
  kUnknownName,
  kUnknownFunction,
  kArgumentCount,
  kReferenceOutOfBounds,
  kTooDeep,
  kTooLong,
  kExpectedNumeral,  // a cell entry that is not a decimal numeral
};

struct TFormulaFault {
  std::size_t offset;  // byte offset into the text, from 0
  TFormulaFaultKind kind;
  std::string detail;  // the name involved, when there is one
};

// The words for a fault, without its position.
std::string DescribeFault(const TFormulaFault& fault);

}  // namespace numora
