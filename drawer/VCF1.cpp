#include "VCF1.h"

#include "FormulaCompiler.h"
#include "FormulaFault.h"
#include "FormulaProgram.h"
#include "FormulaScanner.h"
#include "FormulaShift.h"
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

// A cell's formula: a program compiled for another cell, run with its references moved.
struct TCellFormula {
  std::shared_ptr<TFormulaProgram> program;
  int rowShift = 0, colShift = 0;
};

struct TF1Book::TSheet {
  TCellStore cells;
  std::vector<std::vector<TCellFormula>> formulas;  // by column, then row; grown on demand
  // The last program compiled, its text and the cell it was compiled for.
  std::shared_ptr<TFormulaProgram> compiled = std::make_shared<TFormulaProgram>();
  std::string compiledText;
  int compiledRow = 0, compiledCol = 0;
  int selectedRow = 1;
  int selectedCol = 1;

  TCellFormula* FormulaAt(int row, int col) {
    if (col > int(formulas.size()) || row > int(formulas[col - 1].size())) return nullptr;
    TCellFormula& formula = formulas[col - 1][row - 1];
    return formula.program ? &formula : nullptr;
  }
  void SetFormula(int row, int col, TCellFormula formula) {
    if (col > int(formulas.size())) formulas.resize(col);
    if (row > int(formulas[col - 1].size())) formulas[col - 1].resize(row);
    formulas[col - 1][row - 1] = std::move(formula);
  }
  void Compile(std::string_view text, int row, int col) {
    if (compiledRow != 0 && text.size() <= kMaxFormulaLength &&
        IsShiftedFormula(text, compiledText, *compiled, row - compiledRow, col - compiledCol))
      return;
    // Cells keep the program they were computed with; only one nobody holds is refilled.
    if (compiled.use_count() > 1) compiled = std::make_shared<TFormulaProgram>();
    compiledRow = 0;
    CompileFormula(text, *compiled);
    compiledText.assign(text);
    compiledRow = row;
    compiledCol = col;
  }
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
  if (TCellFormula* formula = sheet_->FormulaAt(row, col)) *formula = {};
}

void TF1Book::PutCellFormula(int row, int col, std::string_view text) {
  CheckAddress(row, col);
  TSheet& sheet = *sheet_;
  try {
    sheet.Compile(text, row, col);
  } catch (const TFormulaFault& fault) {
    throw FaultError(text, fault);
  }
  TCellFormula formula{sheet.compiled, row - sheet.compiledRow, col - sheet.compiledCol};
  sheet.cells.Set(row, col,
                  formula.program->Run(sheet.cells, {formula.rowShift, formula.colShift}));
  sheet.SetFormula(row, col, std::move(formula));
}

double TF1Book::GetCellNumber(int row, int col) const {
  CheckAddress(row, col);
  return sheet_->cells.Get(row, col);
}

double TF1Book::GetCellNumberIf(int row, int col, int refRow, int refCol, double value) const {
  CheckAddress(row, col);
  CheckAddress(refRow, refCol);
  const TCellFormula* formula = sheet_->FormulaAt(row, col);
  if (formula == nullptr) return sheet_->cells.Get(row, col);
  return formula->program->Run(sheet_->cells,
                               {formula->rowShift, formula->colShift, refRow, refCol, value});
}

}  // namespace numora
