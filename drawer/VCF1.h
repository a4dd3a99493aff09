// TF1Book: the invisible spreadsheet component the function drawer computes with.
// Cells hold numbers or formulas; a formula's number is computed when it is put,
// from the current numbers of the cells it references (no recalculation later).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FormulaFault.h"

namespace numora {

// The longest formula text PutCellFormula accepts, in bytes.
inline constexpr std::size_t kMaxFormulaLength = 65536;

// A formula the evaluator cannot accept. Position counts characters from 1 in the
// text that was put; 0 when the fault is not tied to a place (a bad cell address).
class EF1BookError : public std::runtime_error {
 public:
  EF1BookError(std::size_t position, const std::string& reason);
  // A refused formula: the reason describes the fault (whose own offset is not used).
  EF1BookError(std::size_t position, const TFormulaFault& fault);
  std::size_t Position() const { return position_; }
  // What is wrong, without the position.
  const std::string& Reason() const { return reason_; }
  // The evaluator's fault, when the error is one.
  const std::optional<TFormulaFault>& Fault() const { return fault_; }

 private:
  std::size_t position_;
  std::string reason_;
  std::optional<TFormulaFault> fault_;
};

class TF1Book {
 public:
  TF1Book();
  ~TF1Book();
  TF1Book(const TF1Book&) = delete;
  TF1Book& operator=(const TF1Book&) = delete;

  void SelectCell(int row, int col);
  void GetSelectedCell(int& row, int& col) const;
  // A text that stands for the cell's number inside a formula; never holds w or W.
  std::string CellReference(int row, int col, bool absolute) const;
  // The text is a decimal numeral; it becomes the cell's number.
  void PutCellEntry(int row, int col, std::string_view text);
  // Compiles the text and stores its value at once; a text that differs from the one put
  // before only in references moved along with the cell reuses that one's program. Throws
  // EF1BookError and keeps the cell's previous content when the text is not a formula.
  void PutCellFormula(int row, int col, std::string_view text);
  // 0 for an empty cell; not a number for a formula without a numeric value.
  double GetCellNumber(int row, int col) const;
  // The number the formula of cell (row, col) gives when cell (refRow, refCol) holds value,
  // computed by the formula's own program; no cell changes. A cell without a formula gives
  // its number.
  double GetCellNumberIf(int row, int col, int refRow, int refCol, double value) const;

 private:
  struct TSheet;
  std::unique_ptr<TSheet> sheet_;
};

}  // namespace numora
