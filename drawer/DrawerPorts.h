// What the drawer's plotting logic needs from its surroundings: a drawing surface, the texts
// of its controls, an event pump with a clock, and the evaluator's cells. The window
// implements them on Qt widgets; tests and the probe implement them on plain recorders.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace numora {

// The window's own surface, under its child controls.
class TDrawSurface {
 public:
  virtual ~TDrawSurface() = default;
  // Draws the picture and every control again before returning; earlier lines are gone.
  virtual void RepaintAll() = 0;
  virtual void SetPen(int width, std::uint32_t rgb) = 0;  // rgb as 0xRRGGBB
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

// The controls the logic reads and writes.
class TDrawerTexts {
 public:
  virtual ~TDrawerTexts() = default;
  virtual std::string FormulaText() const = 0;  // Edit1
  virtual void SetLabel4(const std::string& text) = 0;
  virtual void SetLabel5(const std::string& text) = 0;
  virtual void SetStatusPanel(int index, const std::string& text) = 0;  // 0, 1 or 2
};

// Handles pending UI events (any handler of the window may run inside) and reads a clock.
class TEventPump {
 public:
  virtual ~TEventPump() = default;
  virtual void ProcessEvents() = 0;
  virtual std::chrono::nanoseconds Now() = 0;
  // False once the window has been closed inside an event: its plot has no one to show it to.
  virtual bool WindowOpen() const { return true; }
};

// The six operations of the spreadsheet component the drawer computes with, and a seventh
// that runs a cell's formula for another number in one of the cells it reads.
class TPlotCells {
 public:
  virtual ~TPlotCells() = default;
  virtual void SelectCell(int row, int col) = 0;
  virtual void GetSelectedCell(int& row, int& col) const = 0;
  virtual std::string CellReference(int row, int col, bool absolute) const = 0;
  virtual void PutCellEntry(int row, int col, std::string_view text) = 0;
  virtual void PutCellFormula(int row, int col, std::string_view text) = 0;
  virtual double GetCellNumber(int row, int col) const = 0;
  virtual double GetCellNumberIf(int row, int col, int refRow, int refCol, double value) const = 0;
};

}  // namespace numora
