#include "VCF1Cells.h"

namespace numora {
namespace {

// Digits from at; false when there are none. Saturates far above any bound.
bool ReadIndex(std::string_view text, std::size_t& at, long& value) {
  const std::size_t start = at;
  value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    if (value < 1000000000L) value = value * 10 + (text[at] - '0');
    ++at;
  }
  return at > start;
}

}  // namespace

void TCellStore::Set(int row, int col, double value) {
  if (col > int(columns_.size())) columns_.resize(col);
  std::vector<double>& column = columns_[col - 1];
  if (row > int(column.size())) column.resize(row, 0.0);
  column[row - 1] = value;
}

std::string CellReferenceText(int row, int col) {
  return "R" + std::to_string(row) + "C" + std::to_string(col);
}

TReferenceMatch MatchCellReference(std::string_view name, int& row, int& col) {
  std::size_t at = 0;
  long r = 0, c = 0;
  if (name.empty() || (name[0] != 'R' && name[0] != 'r')) return TReferenceMatch::kNotReference;
  ++at;
  if (!ReadIndex(name, at, r)) return TReferenceMatch::kNotReference;
  if (at >= name.size() || (name[at] != 'C' && name[at] != 'c')) {
    return TReferenceMatch::kNotReference;
  }
  ++at;
  if (!ReadIndex(name, at, c) || at != name.size()) return TReferenceMatch::kNotReference;
  if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns) return TReferenceMatch::kOutOfBounds;
  row = int(r);
  col = int(c);
  return TReferenceMatch::kCell;
}

}  // namespace numora
