#include "DrawerLogic.h"

#include <cmath>

#include "ClipSegment.h"
#include "Engine.h"
#include "FormulaVariable.h"
#include "PlotNumbers.h"
#include "SegmentContinuity.h"
#include "Utf8.h"
#include "VCF1.h"

namespace numora {
namespace {

// Sample i is w = i - 200, stored in row i + 1.
constexpr int kSamples = TDrawerLogic::kSegments + 1;
constexpr int kWColumn = 1, kMinusFColumn = 2, kReadoutColumn = 3;

// The longest replacement is the reference "R401C1"; the wrapping adds three characters.
static_assert(3 + 6 * TDrawerLogic::kMaxFormula <= kMaxFormulaLength);

int Pixel(double clipped) { return int(std::lround(clipped)); }

}  // namespace

void TDrawerLogic::Edit1KeyPress(char& key) {
  if (key == kEnter) Plot();
}

void TDrawerLogic::Plot() {
  surface_.RepaintAll();
  try {
    FillCells();
  } catch (const EF1BookError&) {
    reportedText_ = texts_.FormulaText();
    throw;
  }
  surface_.SetPen(kPenWidth, kPenColor);
  // However the drawing ends; an error while filling keeps the flag.
  struct TEndSlowMotion {
    bool& flag;
    ~TEndSlowMotion() { flag = false; }
  } endSlowMotion{slowMotion_};
  DrawSegments();
}

void TDrawerLogic::FillCells() {
  for (int i = 0; i < kSamples; ++i) {
    const int row = i + 1;
    cells_.SelectCell(row, kWColumn);
    cells_.PutCellEntry(row, kWColumn, IntegerText(i - kSegments / 2));
    int selectedRow = 0, selectedCol = 0;
    cells_.GetSelectedCell(selectedRow, selectedCol);
    const std::string ref = cells_.CellReference(selectedRow, selectedCol, false);
    PutFormula(row, kMinusFColumn, "-(", texts_.FormulaText(), ref);
  }
}

void TDrawerLogic::PutFormula(int row, int col, std::string_view open, const std::string& typed,
                              const std::string& replacement) {
  if (CodePointCount(typed) > kMaxFormula)
    throw EF1BookError(kMaxFormula + 1,
                       "expected at most " + std::to_string(kMaxFormula) + " characters");
  try {
    formula_.assign(open);
    AppendReplacedVariable(formula_, typed, replacement);
    formula_ += ')';
    cells_.PutCellFormula(row, col, formula_);
  } catch (const EF1BookError& error) {
    if (error.Position() == 0) throw;
    const std::size_t inFormula =
        error.Position() > open.size() ? error.Position() - open.size() : 1;
    const std::size_t position = TypedPosition(typed, replacement.size(), inFormula);
    // A typed w(2) calls a function named w, and the message says so. With a cell reference
    // in w's place the evaluator finds an unknown function there; a number in its place
    // cannot be called and fails at the "(" after it.
    const std::optional<TFormulaFault>& fault = error.Fault();
    const std::string_view there = CharacterAt(typed, position);
    const bool referenceCalled = fault && fault->kind == TFormulaFaultKind::kUnknownFunction &&
                                 fault->detail == replacement && (there == "w" || there == "W");
    if (const std::size_t called = referenceCalled ? position : CalledVariable(typed, position))
      throw EF1BookError(called, TFormulaFault{0, TFormulaFaultKind::kUnknownFunction,
                                               std::string(CharacterAt(typed, called))});
    if (fault) throw EF1BookError(position, *fault);
    throw EF1BookError(position, error.Reason());
  }
}

void TDrawerLogic::DrawSegments() {
  // The picture's rows and the pen's width around them, so the round end of a cut line lies
  // outside.
  const double topRow = geometry_.picture.top - kPenWidth;
  const double bottomRow = geometry_.picture.top + geometry_.picture.height + kPenWidth;
  const int x0 = geometry_.x0, y0 = geometry_.y0;
  for (int k = 1; k <= kSegments; ++k) {
    if (slowMotion_) {
      Pause(0, 1);
      // The window's modal showing cannot return while its plot runs, nor can it be shown again.
      if (!pump_.WindowOpen()) return;
    }
    // The cells are read again here: inside a pause a nested plot may have refilled them.
    const double w1 = cells_.GetCellNumber(k, kWColumn);
    const double minusF1 = cells_.GetCellNumber(k, kMinusFColumn);
    const double x1 = RoundHalfEven(w1) + x0;
    const double y1 = RoundHalfEven(minusF1) + y0;
    const double w2 = cells_.GetCellNumber(k + 1, kWColumn);
    const double minusF2 = cells_.GetCellNumber(k + 1, kMinusFColumn);
    texts_.SetLabel4("    w  = " + RoundedText(w2));
    texts_.SetLabel5("F(w) = " + RoundedText(-minusF2));
    // Cut before any pixel is formed, so an end beyond every pixel coordinate still gives the
    // visible part of its segment; a segment with an end that is not a number has none.
    const auto s =
        ClipToRows(x1, y1, RoundHalfEven(w2) + x0, RoundHalfEven(minusF2) + y0, topRow, bottomRow);
    // No line across a pole: the formula of the segment's first row is asked in between.
    const auto minusF = [&](double w) {
      return cells_.GetCellNumberIf(k, kMinusFColumn, k, kWColumn, w);
    };
    if (s && ContinuousBetween(minusF, w1, minusF1, w2, minusF2)) {
      surface_.MoveTo(Pixel(s->x1), Pixel(s->y1));
      surface_.LineTo(Pixel(s->x2), Pixel(s->y2));
    }
  }
}

void TDrawerLogic::FormMouseMove(int x, int y) {
  const int w = x - geometry_.x0;
  texts_.SetStatusPanel(0, "x = " + IntegerText(w));
  texts_.SetStatusPanel(1, "y = " + IntegerText(geometry_.y0 - y));
  const std::string typed = texts_.FormulaText();
  try {
    PutFormula(1, kReadoutColumn, "(", typed, IntegerText(w));
  } catch (const EF1BookError& error) {
    // A modal box at every move would keep the user from the field: one box per text.
    if (typed != reportedText_) {
      reportedText_ = typed;
      throw;
    }
    texts_.SetStatusPanel(2, error.what());
    return;
  }
  reportedText_.reset();
  texts_.SetStatusPanel(2, "f(w) = " + FloatToStr(cells_.GetCellNumber(1, kReadoutColumn)));
}

void TDrawerLogic::Panel1MouseMove() { texts_.SetStatusPanel(1, "0"); }
void TDrawerLogic::Panel2MouseMove() { texts_.SetStatusPanel(0, "0"); }

void TDrawerLogic::Pause(int seconds, int milliseconds) {
  const std::chrono::nanoseconds deadline =
      pump_.Now() + std::chrono::seconds(seconds) + std::chrono::milliseconds(milliseconds);
  while (pump_.Now() < deadline && pump_.WindowOpen()) pump_.ProcessEvents();
}

}  // namespace numora
