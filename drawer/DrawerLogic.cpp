#include "DrawerLogic.h"

#include <optional>

#include "Engine.h"
#include "PlotNumbers.h"
#include "ReplaceText.h"

namespace numora {
namespace {

// Sample i is w = i - 200, stored in row i + 1.
constexpr int kSamples = TDrawerLogic::kSegments + 1;
constexpr int kWColumn = 1, kMinusFColumn = 2, kReadoutColumn = 3;

}  // namespace

void TDrawerLogic::Edit1KeyPress(char& key) {
  if (key == kEnter) Plot();
}

void TDrawerLogic::Plot() {
  surface_.RepaintAll();
  FillCells();
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
    const std::string formula = ReplaceText("w", ref, texts_.FormulaText());
    cells_.PutCellFormula(row, kMinusFColumn, "-(" + formula + ")");
  }
}

void TDrawerLogic::DrawSegments() {
  for (int k = 1; k <= kSegments; ++k) {
    if (slowMotion_) Pause(0, 1);
    // The cells are read again here: inside a pause a nested plot may have refilled them.
    const std::optional<int> x1 = PixelCoordinate(cells_.GetCellNumber(k, kWColumn), kX0);
    const std::optional<int> y1 = PixelCoordinate(cells_.GetCellNumber(k, kMinusFColumn), kY0);
    const double w2 = cells_.GetCellNumber(k + 1, kWColumn);
    const double minusF2 = cells_.GetCellNumber(k + 1, kMinusFColumn);
    const std::optional<int> x2 = PixelCoordinate(w2, kX0);
    const std::optional<int> y2 = PixelCoordinate(minusF2, kY0);
    texts_.SetLabel4("    w  = " + RoundedText(w2));
    texts_.SetLabel5("F(w) = " + RoundedText(-minusF2));
    // A segment touching a point no pixel holds is left out rather than drawn somewhere else.
    if (x1 && y1 && x2 && y2) {
      surface_.MoveTo(*x1, *y1);
      surface_.LineTo(*x2, *y2);
    }
  }
}

void TDrawerLogic::FormMouseMove(int x, int y) {
  const int w = x - kX0;
  texts_.SetStatusPanel(0, "x = " + IntegerText(w));
  texts_.SetStatusPanel(1, "y = " + IntegerText(kY0 - y));
  const std::string formula = ReplaceText("w", IntegerText(w), texts_.FormulaText());
  cells_.PutCellFormula(1, kReadoutColumn, "(" + formula + ")");
  texts_.SetStatusPanel(2, "f(w) = " + FloatToStr(cells_.GetCellNumber(1, kReadoutColumn)));
}

void TDrawerLogic::Panel1MouseMove() { texts_.SetStatusPanel(1, "0"); }
void TDrawerLogic::Panel2MouseMove() { texts_.SetStatusPanel(0, "0"); }

void TDrawerLogic::Pause(int seconds, int milliseconds) {
  const std::chrono::nanoseconds deadline =
      pump_.Now() + std::chrono::seconds(seconds) + std::chrono::milliseconds(milliseconds);
  while (pump_.Now() < deadline) pump_.ProcessEvents();
}

}  // namespace numora
