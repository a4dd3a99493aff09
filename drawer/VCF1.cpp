#include "VCF1.h"

#include "FormulaCompiler.h"
#include "FormulaFault.h"
#include "FormulaProgram.h"
#include "FormulaScanner.h"
#include "Utf8.h"
#include "VCF1Cells.h"

namespace numora {
namespace {

std::string PositionedText(std::size_t position, const std::string& what) {
  if (position == 0) return what;
  return "at character " + std::to_string(position) + ": " + what;
}

// Characters, not bytes: a UTF-8 continuation byte does not start a character.
std::size_t CharacterPosition(std::string_view text, std::size_t offset) {
  std::size_t position = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (!IsContinuationByte(text[i])) ++position;
  }
  return position;
}

EF1BookError FaultError(std::string_view text, const TFormulaFault& fault) {
  return EF1BookError(CharacterPosition(text, fault.offset), fault);
}

void CheckAddress(int row, int col) {
  if (IsCellAddress(row, col)) return;
  throw EF1BookError(0, "no cell at row " + std::to_string(row) + ", column " +
                            std::to_string(col) + "; expected rows 1 to " +
                            std::to_string(kMaxRows) + " and columns 1 to " +
                            std::to_string(kMaxColumns));
}

}  // namespace

EF1BookError::EF1BookError(std::size_t position, const std::string& reason)
    : std::runtime_error(PositionedText(position, reason)), position_(position), reason_(reason) {}

EF1BookError::EF1BookError(std::size_t position, const TFormulaFault& fault)
    : EF1BookError(position, DescribeFault(fault)) {
  fault_ = fault;
}

struct TF1Book::TSheet {
  TCellStore cells;
  TFormulaProgram program;  // reused by every put, so its buffers stay allocated
  int selectedRow = 1;
  int selectedCol = 1;
};

TF1Book::TF1Book() : sheet_(std::make_unique<TSheet>()) {}
TF1Book::~TF1Book() = default;

void TF1Book::SelectCell(int row, int col) {
  CheckAddress(row, col);
  sheet_->selectedRow = row;
  sheet_->selectedCol = col;
}

void TF1Book::GetSelectedCell(int& row, int& col) const {
  row = sheet_->selectedRow;
  col = sheet_->selectedCol;
}

std::string TF1Book::CellReference(int row, int col, bool /*absolute*/) const {
  // R1C1 references name the cell itself, so absolute and relative read the same.
  CheckAddress(row, col);
  return CellReferenceText(row, col);
}

void TF1Book::PutCellEntry(int row, int col, std::string_view text) {
  CheckAddress(row, col);
  double value = 0;
  try {
    value = ReadDecimalNumeral(text);
  } catch (const TFormulaFault& fault) {
    throw FaultError(text, fault);
  }
  sheet_->cells.Set(row, col, value);
}

void TF1Book::PutCellFormula(int row, int col, std::string_view text) {
  CheckAddress(row, col);
  try {
    CompileFormula(text, sheet_->program);
  } catch (const TFormulaFault& fault) {
    throw FaultError(text, fault);
  }
  sheet_->cells.Set(row, col, sheet_->program.Run(sheet_->cells));
}

double TF1Book::GetCellNumber(int row, int col) const {
  CheckAddress(row, col);
  return sheet_->cells.Get(row, col);
}

}  // namespace numora
