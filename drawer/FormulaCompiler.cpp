#include "FormulaCompiler.h"

#include <string>

#include "FormulaFault.h"
#include "FormulaFunctions.h"
#include "VCF1Cells.h"

namespace numora {
namespace {

class TCompiler {
 public:
  TCompiler(std::string_view text, TFormulaProgram& program) : scanner_(text), program_(program) {
    Advance();
  }

  void Formula() {
    Sum();
    if (token_.kind != TTokenKind::kEnd) Fail(TFormulaFaultKind::kExpectedOperatorOrEnd);
  }

 private:
  void Advance() { token_ = scanner_.Next(); }
  [[noreturn]] void Fail(TFormulaFaultKind kind, std::string detail = {}) const {
    throw TFormulaFault{token_.offset, kind, std::move(detail)};
  }
  void Emit(TOpCode op) { program_.Emit({op, 0, 0, 0, 0.0, nullptr}); }

  void Sum() {
    Product();
    while (token_.kind == TTokenKind::kPlus || token_.kind == TTokenKind::kMinus) {
      const TOpCode op = token_.kind == TTokenKind::kPlus ? TOpCode::kAdd : TOpCode::kSub;
      Advance();
      Product();
      Emit(op);
    }
  }

  void Product() {
    Power();
    while (token_.kind == TTokenKind::kStar || token_.kind == TTokenKind::kSlash) {
      const TOpCode op = token_.kind == TTokenKind::kStar ? TOpCode::kMul : TOpCode::kDiv;
      Advance();
      Power();
      Emit(op);
    }
  }

  void Power() {
    Signed();
    while (token_.kind == TTokenKind::kCaret) {
      Advance();
      Signed();
      Emit(TOpCode::kPow);
    }
  }

  // Any run of signs, counted in a loop so that no run of them can deepen the recursion.
  void Signed() {
    bool negative = false;
    while (token_.kind == TTokenKind::kPlus || token_.kind == TTokenKind::kMinus) {
      if (token_.kind == TTokenKind::kMinus) negative = !negative;
      Advance();
    }
    Operand();
    if (negative) Emit(TOpCode::kNeg);
  }

  void Operand() {
    switch (token_.kind) {
      case TTokenKind::kNumber:
        program_.Emit({TOpCode::kPush, 0, 0, 0, token_.number, nullptr});
        Advance();
        return;
      case TTokenKind::kOpen:
        Enter();
        Advance();
        Sum();
        if (token_.kind != TTokenKind::kClose) Fail(TFormulaFaultKind::kExpectedCloseParen);
        Advance();
        --nesting_;
        return;
      case TTokenKind::kName:
        Name();
        return;
      default:
        Fail(TFormulaFaultKind::kExpectedOperand);
    }
  }

  void Name() {
    const TToken name = token_;
    Advance();
    if (token_.kind == TTokenKind::kOpen) return Call(name);
    int row = 0, col = 0;
    switch (MatchCellReference(name.text, row, col)) {
      case TReferenceMatch::kCell:
        program_.Emit({TOpCode::kLoad, 0, row, col, 0.0, nullptr});
        program_.AddReference({name.offset, name.text.size(), row, col});
        return;
      case TReferenceMatch::kOutOfBounds:
        throw TFormulaFault{name.offset, TFormulaFaultKind::kReferenceOutOfBounds,
                            std::string(name.text)};
      case TReferenceMatch::kNotReference:
        break;
    }
    if (TFunctionTable::Standard().Find(name.text) != nullptr) {
      Fail(TFormulaFaultKind::kExpectedOpenParen, std::string(name.text));
    }
    throw TFormulaFault{name.offset, TFormulaFaultKind::kUnknownName, std::string(name.text)};
  }

  void Call(const TToken& name) {
    const TFunctionEntry* entry = TFunctionTable::Standard().Find(name.text);
    if (entry == nullptr) {
      throw TFormulaFault{name.offset, TFormulaFaultKind::kUnknownFunction, std::string(name.text)};
    }
    Enter();
    Advance();
    int argc = 0;
    if (token_.kind != TTokenKind::kClose) {
      for (;;) {
        Sum();
        ++argc;
        if (argc > entry->maxArgs) ArgumentCountFault(name, *entry);
        if (token_.kind == TTokenKind::kClose) break;
        if (token_.kind != TTokenKind::kComma) Fail(TFormulaFaultKind::kExpectedCommaOrClose);
        Advance();
      }
    }
    if (argc < entry->minArgs) ArgumentCountFault(name, *entry);
    Advance();
    --nesting_;
    program_.Emit({TOpCode::kCall, argc, 0, 0, 0.0, entry->function});
  }

  [[noreturn]] static void ArgumentCountFault(const TToken& name, const TFunctionEntry& entry) {
    std::string counts = std::to_string(entry.minArgs);
    if (entry.maxArgs != entry.minArgs) counts += " to " + std::to_string(entry.maxArgs);
    counts += entry.maxArgs == 1 ? " argument" : " arguments";
    throw TFormulaFault{name.offset, TFormulaFaultKind::kArgumentCount,
                        entry.name + " takes " + counts};
  }

  void Enter() {
    if (++nesting_ > kMaxNesting) Fail(TFormulaFaultKind::kTooDeep);
  }

  TFormulaScanner scanner_;
  TFormulaProgram& program_;
  TToken token_{};
  int nesting_ = 0;
};

}  // namespace

void CompileFormula(std::string_view text, TFormulaProgram& program) {
  if (text.size() > kMaxFormulaLength) {
    throw TFormulaFault{kMaxFormulaLength, TFormulaFaultKind::kTooLong, {}};
  }
  program.Clear();
  TCompiler(text, program).Formula();
}

}  // namespace numora
