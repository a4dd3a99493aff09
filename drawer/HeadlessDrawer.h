// The drawer's logic on plain recorders and the real evaluator, without any window: what the
// probe and the benchmarks drive, and what tests compare the window against.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "DrawerLogic.h"
#include "F1BookCells.h"
#include "VCF1.h"

namespace numora {

struct TSegment {
  int x1, y1, x2, y2;
  bool operator==(const TSegment&) const = default;
};

// Keeps the segments drawn since the last repaint.
class TRecordingSurface : public TDrawSurface {
 public:
  void RepaintAll() override {
    segments.clear();
    ++repaints;
  }
  void SetPen(int width, std::uint32_t rgb) override {
    penWidth = width;
    penColor = rgb;
  }
  void MoveTo(int x, int y) override {
    penX = x;
    penY = y;
  }
  void LineTo(int x, int y) override {
    segments.push_back({penX, penY, x, y});
    penX = x;
    penY = y;
  }

  std::vector<TSegment> segments;
  int repaints = 0;
  int penWidth = 1;
  std::uint32_t penColor = 0;
  int penX = 0, penY = 0;
};

// The edit field, the two readout labels and the three status panels as strings.
class TTextRecord : public TDrawerTexts {
 public:
  std::string FormulaText() const override { return formula; }
  void SetLabel4(const std::string& text) override { label4 = text; }
  void SetLabel5(const std::string& text) override { label5 = text; }
  void SetStatusPanel(int index, const std::string& text) override { panels.at(index) = text; }

  std::string formula = TDrawerGeometry::Drawer().initialFormula;
  std::string label4 = "   w   = 0";
  std::string label5 = "F(w) = 0";
  std::array<std::string, 3> panels;
};

// No events to handle; the steady clock.
class TIdlePump : public TEventPump {
 public:
  void ProcessEvents() override {}
  std::chrono::nanoseconds Now() override;
};

class THeadlessDrawer {
 public:
  THeadlessDrawer() : cells(book), logic(TDrawerGeometry::Drawer(), surface, texts, pump, cells) {}

  // A pointer movement at a client position, handled by the component under it.
  void MouseMove(int x, int y);

  TF1Book book;
  TF1BookCells cells;
  TRecordingSurface surface;
  TTextRecord texts;
  TIdlePump pump;
  TDrawerLogic logic;
};

}  // namespace numora
