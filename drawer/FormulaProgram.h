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

class TFormulaProgram {
 public:
  void Clear() {
    code_.clear();
    depth_ = 0;
    maxDepth_ = 0;
  }
  void Emit(const TInstruction& instruction);
  std::size_t Size() const { return code_.size(); }
  // The formula's value with the cells' current numbers; NaN when it has none.
  double Run(const TCellStore& cells);

 private:
  std::vector<TInstruction> code_;
  std::vector<double> stack_;
  int depth_ = 0;
  int maxDepth_ = 0;
};

}  // namespace numora
