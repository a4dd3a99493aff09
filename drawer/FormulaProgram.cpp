#include "FormulaProgram.h"

#include <cmath>
#include <limits>

#include "VCF1Cells.h"

namespace numora {

void TFormulaProgram::Emit(const TInstruction& instruction) {
  code_.push_back(instruction);
  switch (instruction.op) {
    case TOpCode::kPush:
    case TOpCode::kLoad:
      ++depth_;
      break;
    case TOpCode::kNeg:
      break;
    case TOpCode::kCall:
      depth_ += 1 - instruction.argc;
      break;
    default:
      --depth_;
      break;
  }
  if (depth_ > maxDepth_) maxDepth_ = depth_;
}

double TFormulaProgram::Run(const TCellStore& cells) {
  if (stack_.size() < std::size_t(maxDepth_) + 1) stack_.resize(std::size_t(maxDepth_) + 1);
  double* top = stack_.data();  // one past the last value
  for (const TInstruction& in : code_) {
    switch (in.op) {
      case TOpCode::kPush:
        *top++ = in.value;
        break;
      case TOpCode::kLoad:
        *top++ = cells.Get(in.row, in.col);
        break;
      case TOpCode::kAdd:
        --top;
        top[-1] += top[0];
        break;
      case TOpCode::kSub:
        --top;
        top[-1] -= top[0];
        break;
      case TOpCode::kMul:
        --top;
        top[-1] *= top[0];
        break;
      case TOpCode::kDiv:
        --top;
        top[-1] = DivideOrNaN(top[-1], top[0]);
        break;
      case TOpCode::kPow:
        --top;
        top[-1] = PowerOrNaN(top[-1], top[0]);
        break;
      case TOpCode::kNeg:
        top[-1] = -top[-1];
        break;
      case TOpCode::kCall:
        top -= in.argc;
        *top = in.function(top, in.argc);
        ++top;
        break;
    }
  }
  const double value = stack_[0];
  // A sheet has no infinities: an overflow is a value without a number, like 1/0.
  return std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace numora
