// Any bytes as a formula and as a cell entry: either accepted with a number or NaN, or
// rejected with a position inside the text, and a rejected put leaves the cell as it was.
// Then the same bytes typed into the drawer's field: a formula Enter accepts reads out too,
// errors point into the typed text, and a rejected text opens one box, not one per move; put
// into two rows, it computes as if each row had compiled it alone.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "FormulaVariable.h"
#include "HeadlessDrawer.h"
#include "Utf8.h"
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

// The typed position of an error, or nothing when the handler went through.
template <typename Handler>
std::optional<std::size_t> Rejection(std::size_t typedLength, Handler handler) {
  try {
    handler();
    return std::nullopt;
  } catch (const numora::EF1BookError& error) {
    Check(error.Position() >= 1 && error.Position() <= typedLength + 1);
    return error.Position();
  }
}

void CheckDrawer(std::string_view typed) {
  numora::THeadlessDrawer drawer;
  drawer.texts.formula = std::string(typed);
  const std::size_t length = numora::CodePointCount(typed);
  const auto plot = Rejection(length, [&] { drawer.logic.Plot(); });
  const auto readout = Rejection(length, [&] { drawer.MouseMove(317, 100); });
  if (!plot) Check(!readout);
  if (plot) Check(drawer.surface.segments.empty());
  // The box of Enter counts for the moves: they show the error in the panel instead.
  Check(!Rejection(length, [&] { drawer.MouseMove(100, 300); }));
  for (const numora::TSegment& s : drawer.surface.segments)
    Check(s.x1 >= -2 && s.x1 <= 640 && s.x2 >= -2 && s.x2 <= 640 && s.y1 >= -2 && s.y1 <= 440 &&
          s.y2 >= -2 && s.y2 <= 440);
}

// A formula put again a row down with its references moved along reuses the program compiled
// for the row above: it must give what a fresh sheet compiling it gives, or refuse it as well.
void CheckReuse(std::string_view typed) {
  numora::TF1Book reused, fresh;
  for (numora::TF1Book* book : {&reused, &fresh}) {
    book->PutCellEntry(2, 1, "3");
    book->PutCellEntry(3, 1, "-4");
  }
  const auto formula = [&](const char* ref) {
    return "-(" + numora::ReplaceVariable(typed, ref) + ")";
  };
  // Both sheets end up holding the same cells, so a formula that reads its own column reads
  // the same values in both; only the fresh one compiled something else after row 2.
  reused.PutCellFormula(9, 9, "0");
  try {
    reused.PutCellFormula(2, 2, formula("R2C1"));
    fresh.PutCellFormula(2, 2, formula("R2C1"));
  } catch (const numora::EF1BookError&) {
    return;
  }
  fresh.PutCellFormula(9, 9, "0");
  const auto put = [&](numora::TF1Book& book) -> std::optional<double> {
    try {
      book.PutCellFormula(3, 2, formula("R3C1"));
      return book.GetCellNumber(3, 2);
    } catch (const numora::EF1BookError&) {
      return std::nullopt;
    }
  };
  const std::optional<double> a = put(reused), b = put(fresh);
  Check(a.has_value() == b.has_value());
  if (a) Check(*a == *b || (std::isnan(*a) && std::isnan(*b)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  numora::TF1Book book;
  book.PutCellEntry(1, 1, "-5");
  book.PutCellFormula(2, 2, "R1C1*3");
  PutAndCheck(book, text, [&](std::string_view t) { book.PutCellFormula(2, 2, t); });
  PutAndCheck(book, text, [&](std::string_view t) { book.PutCellEntry(2, 2, t); });
  CheckDrawer(text);
  CheckReuse(text);
  return 0;
}
