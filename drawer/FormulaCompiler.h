// Reads a formula text once into a TFormulaProgram. Spreadsheet precedence: unary signs
// bind tightest, then ^ (left to right), then * and /, then + and -.
#pragma once

#include <cstddef>
#include <string_view>

#include "FormulaProgram.h"
#include "FormulaScanner.h"
#include "VCF1.h"

namespace numora {

inline constexpr int kMaxNesting = 100;  // parentheses and function calls, one inside the other

// Throws TFormulaFault; the program is then incomplete and must not be run.
void CompileFormula(std::string_view text, TFormulaProgram& program);

}  // namespace numora
