// Whether a formula text is one already compiled with its cell references moved by the same
// rows and columns: the drawer puts one formula into 401 rows, each naming its own row's
// cell, and the sheet compiles it once.
#pragma once

#include <string_view>

#include "FormulaProgram.h"

namespace numora {

// True when text equals `compiled` (the text program was compiled from) outside its
// references, and each reference of text names the cell of the compiled one moved by
// rowShift and colShift.
bool IsShiftedFormula(std::string_view text, std::string_view compiled,
                      const TFormulaProgram& program, int rowShift, int colShift);

}  // namespace numora
