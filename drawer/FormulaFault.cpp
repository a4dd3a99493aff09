#include "FormulaFault.h"

#include "FormulaCompiler.h"
#include "VCF1Cells.h"

namespace numora {

std::string DescribeFault(const TFormulaFault& fault) {
  const std::string name = "\"" + fault.detail + "\"";
  switch (fault.kind) {
    case TFormulaFaultKind::kExpectedOperand:
      return "expected a number, a cell reference, a function or \"(\"";
    case TFormulaFaultKind::kExpectedOperatorOrEnd:
      return "expected an operator or the end of the formula";
    case TFormulaFaultKind::kExpectedCloseParen:
      return "expected \")\"";
    case TFormulaFaultKind::kExpectedCommaOrClose:
      return "expected \",\" or \")\"";
    case TFormulaFaultKind::kExpectedOpenParen:
      return "expected \"(\" after the function name " + name;
    case TFormulaFaultKind::kExpectedExponentDigits:
      return "expected the digits of the exponent";
    case TFormulaFaultKind::kNumberOutOfRange:
      return "the number " + name + " is too large";
    case TFormulaFaultKind::kUnknownName:
      return "unknown name " + name + "; expected a function call or a cell reference such as R1C1";
    case TFormulaFaultKind::kUnknownFunction:
      return "unknown function " + name;
    case TFormulaFaultKind::kArgumentCount:
      return fault.detail;
    case TFormulaFaultKind::kReferenceOutOfBounds:
      return "the cell reference " + name + " is outside rows 1 to " + std::to_string(kMaxRows) +
             " and columns 1 to " + std::to_string(kMaxColumns);
    case TFormulaFaultKind::kTooDeep:
      return "expected at most " + std::to_string(kMaxNesting) +
             " parentheses and function calls one inside the other";
    case TFormulaFaultKind::kTooLong:
      return "expected at most " + std::to_string(kMaxFormulaLength) + " characters";
    case TFormulaFaultKind::kExpectedNumeral:
      return "expected a decimal numeral such as -5 or 2.5";
  }
  return "not a formula";
}

}  // namespace numora
