// The sheet's numbers, addressed by row and column from 1. Columns grow on demand and
// keep their storage, so refilling the same rows allocates nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numora {

inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

inline bool IsCellAddress(int row, int col) {
  return row >= 1 && row <= kMaxRows && col >= 1 && col <= kMaxColumns;
}

class TCellStore {
 public:
  // The address must be valid; a cell never written holds 0.
  double Get(int row, int col) const {
    if (col > int(columns_.size())) return 0.0;
    const std::vector<double>& column = columns_[col - 1];
    return row > int(column.size()) ? 0.0 : column[row - 1];
  }
  void Set(int row, int col, double value);

 private:
  std::vector<std::vector<double>> columns_;
};

// References are written R<row>C<column>: no letter W can appear in them.
std::string CellReferenceText(int row, int col);

enum class TReferenceMatch { kNotReference, kOutOfBounds, kCell };
// Reads a name token as a reference, in any letter case.
TReferenceMatch MatchCellReference(std::string_view name, int& row, int& col);

}  // namespace numora
