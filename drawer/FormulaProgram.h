// A compiled formula: postfix instructions over doubles, run on a stack whose depth the
// compiler worked out. Kept and refilled by its owner, so compiling allocates only while
// the buffers grow.
#pragma once

#include <cstdint>
#include <vector>

#include "FormulaFunctions.h"

namespace numora {

class TCellStore;

enum class TOpCode : std::uint8_t { kPush, kLoad, kAdd, kSub, kMul, kDiv, kPow, kNeg, kCall };

struct TInstruction {
  TOpCode op;
  int argc;                   // kCall
  int row, col;               // kLoad
  double value;               // kPush
  TFormulaFunction function;  // kCall
};

// A cell reference of the formula text: where its token lies and the cell it names.
struct TReferenceSpan {
  std::size_t offset, length;
  int row, col;
};

// Where a program runs: every reference moved by rowShift and colShift, and one cell read
// as `value` instead of its number (none when substituteRow is 0).
struct TRunPlace {
  int rowShift = 0, colShift = 0;
  int substituteRow = 0, substituteCol = 0;
  double value = 0.0;
};

class TFormulaProgram {
 public:
  void Clear() {
    code_.clear();
    references_.clear();
    depth_ = 0;
    maxDepth_ = 0;
  }
  void Emit(const TInstruction& instruction);
  void AddReference(const TReferenceSpan& span) { references_.push_back(span); }
  std::size_t Size() const { return code_.size(); }
  // In the order of the text.
  const std::vector<TReferenceSpan>& References() const { return references_; }
  // The formula's value with the cells' current numbers; NaN when it has none.
  double Run(const TCellStore& cells, const TRunPlace& place = {});

 private:
  std::vector<TInstruction> code_;
  std::vector<TReferenceSpan> references_;
  std::vector<double> stack_;
  int depth_ = 0;
  int maxDepth_ = 0;
};

}  // namespace numora
