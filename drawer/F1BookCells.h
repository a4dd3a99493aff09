// The drawer's cells on the real spreadsheet component.
#pragma once

#include "DrawerPorts.h"
#include "VCF1.h"

namespace numora {

class TF1BookCells : public TPlotCells {
 public:
  explicit TF1BookCells(TF1Book& book) : book_(book) {}
  void SelectCell(int row, int col) override { book_.SelectCell(row, col); }
  void GetSelectedCell(int& row, int& col) const override { book_.GetSelectedCell(row, col); }
  std::string CellReference(int row, int col, bool absolute) const override {
    return book_.CellReference(row, col, absolute);
  }
  void PutCellEntry(int row, int col, std::string_view text) override {
    book_.PutCellEntry(row, col, text);
  }
  void PutCellFormula(int row, int col, std::string_view text) override {
    book_.PutCellFormula(row, col, text);
  }
  double GetCellNumber(int row, int col) const override { return book_.GetCellNumber(row, col); }
  double GetCellNumberIf(int row, int col, int refRow, int refCol, double value) const override {
    return book_.GetCellNumberIf(row, col, refRow, refCol, value);
  }

 private:
  TF1Book& book_;
};

}  // namespace numora
