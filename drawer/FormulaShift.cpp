#include "FormulaShift.h"

#include "VCF1Cells.h"

namespace numora {
namespace {

// What a name token is made of, as the scanner reads it.
bool InName(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

bool IsShiftedFormula(std::string_view text, std::string_view compiled,
                      const TFormulaProgram& program, int rowShift, int colShift) {
  std::size_t from = 0, at = 0;  // in compiled, in text
  for (const TReferenceSpan& ref : program.References()) {
    // The text between references is the same, so it splits into the same tokens: each
    // reference is preceded and followed by the same characters, none of them in a name.
    const std::string_view between = compiled.substr(from, ref.offset - from);
    if (text.substr(at, between.size()) != between) return false;
    at += between.size();
    std::size_t end = at;
    while (end < text.size() && InName(text[end])) ++end;
    int row = 0, col = 0;
    if (MatchCellReference(text.substr(at, end - at), row, col) != TReferenceMatch::kCell ||
        row != ref.row + rowShift || col != ref.col + colShift)
      return false;
    from = ref.offset + ref.length;
    at = end;
  }
  return text.substr(at) == compiled.substr(from);
}

}  // namespace numora
