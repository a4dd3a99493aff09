#include "FormulaProgram.h"

#include <cmath>
#include <limits>

#include "VCF1Cells.h"

namespace numora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A function never sees a value without a number, so none of them has to pass it on.
double CallWithNumbers(const TInstruction& call, const double* args) {
  for (int i = 0; i < call.argc; ++i)
    if (std::isnan(args[i])) return kNaN;
  return call.function(args, call.argc);
}

}  // namespace

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

double TFormulaProgram::Run(const TCellStore& cells, const TRunPlace& place) {
  if (stack_.size() < std::size_t(maxDepth_) + 1) stack_.resize(std::size_t(maxDepth_) + 1);
  double* top = stack_.data();  // one past the last value
  for (const TInstruction& in : code_) {
    double result = kNaN;
    switch (in.op) {
      case TOpCode::kPush:
        result = in.value;
        ++top;
        break;
      case TOpCode::kLoad: {
        const int row = in.row + place.rowShift, col = in.col + place.colShift;
        result = row == place.substituteRow && col == place.substituteCol ? place.value
                                                                          : cells.Get(row, col);
        ++top;
        break;
      }
      case TOpCode::kAdd:
        --top;
        result = top[-1] + top[0];
        break;
      case TOpCode::kSub:
        --top;
        result = top[-1] - top[0];
        break;
      case TOpCode::kMul:
        --top;
        result = top[-1] * top[0];
        break;
      case TOpCode::kDiv:
        --top;
        result = top[-1] / top[0];
        break;
      case TOpCode::kPow:
        --top;
        // pow gives 1 for 1^NaN and NaN^0: not a number to the sheet.
        result = std::isnan(top[-1]) || std::isnan(top[0]) ? kNaN : std::pow(top[-1], top[0]);
        break;
      case TOpCode::kNeg:
        result = -top[-1];
        break;
      case TOpCode::kCall:
        top -= in.argc - 1;
        result = CallWithNumbers(in, top - 1);
        break;
    }
    // The sheet's one rule: an overflow, a division by zero or a value outside a function's
    // domain has no number, and neither has anything computed from it.
    top[-1] = std::isfinite(result) ? result : kNaN;
  }
  return stack_[0];
}

}  // namespace numora
