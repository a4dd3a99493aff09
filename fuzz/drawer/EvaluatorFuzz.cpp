// Any bytes as a formula and as a cell entry: either accepted with a number or NaN, or
// rejected with a position inside the text, and a rejected put leaves the cell as it was.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "VCF1.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

template <typename Put>
void PutAndCheck(numora::TF1Book& book, std::string_view text, Put put) {
  const double before = book.GetCellNumber(2, 2);
  try {
    put(text);
    const double after = book.GetCellNumber(2, 2);
    Check(std::isnan(after) || std::isfinite(after));
  } catch (const numora::EF1BookError& error) {
    Check(error.Position() >= 1 && error.Position() <= text.size() + 1);
    Check(error.what()[0] != '\0');
    const double after = book.GetCellNumber(2, 2);
    Check(after == before || (std::isnan(after) && std::isnan(before)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  numora::TF1Book book;
  book.PutCellEntry(1, 1, "-5");
  book.PutCellFormula(2, 2, "R1C1*3");
  PutAndCheck(book, text, [&](std::string_view t) { book.PutCellFormula(2, 2, t); });
  PutAndCheck(book, text, [&](std::string_view t) { book.PutCellEntry(2, 2, t); });
  return 0;
}
