// The function drawer's behaviour without any widget: plotting on Enter, the mouse and axis
// readouts, slow motion and its pause. TForm1 forwards its handlers here; the probe and the
// tests drive it on recorders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "DrawerGeometry.h"
#include "DrawerPorts.h"

namespace numora {

class TDrawerLogic {
 public:
  // Samples w = -200 to 200, one pixel per unit from the geometry's origin.
  static constexpr int kSegments = 400;
  static constexpr int kPenWidth = 2;
  static constexpr std::uint32_t kPenColor = 0x0000FF;
  static constexpr char kEnter = 13;
  // The longest formula, in typed characters, Enter and the readout accept alike.
  static constexpr std::size_t kMaxFormula = 8192;

  TDrawerLogic(const TDrawerGeometry& geometry, TDrawSurface& surface, TDrawerTexts& texts,
               TEventPump& pump, TPlotCells& cells)
      : geometry_(geometry), surface_(surface), texts_(texts), pump_(pump), cells_(cells) {}

  // Enter plots; the key itself is passed on unchanged.
  void Edit1KeyPress(char& key);
  // Clears the surface, fills the cells from the formula and draws the segments, each cut
  // to the picture. A formula the evaluator rejects ends it while filling; slow motion
  // covers one plot that reaches its drawing. A window closed inside a pause ends it there.
  void Plot();

  // A formula rejected here for the first time since the field last held another text
  // throws; at the next moves its error stands in the f(w) panel instead.
  void FormMouseMove(int x, int y);
  void Panel1MouseMove();
  void Panel2MouseMove();
  void SpeedButton1Click() { slowMotion_ = !slowMotion_; }
  bool SlowMotion() const { return slowMotion_; }

  // Handles pending UI events until the clock has passed the moment of the call plus the
  // given time, or the window has closed. The first reading of the clock comes before any
  // event.
  void Pause(int seconds, int milliseconds);

 private:
  void FillCells();
  void DrawSegments();
  // Puts open + the typed formula with its variable replaced + ")". Errors name the place
  // in the typed formula.
  void PutFormula(int row, int col, std::string_view open, const std::string& typed,
                  const std::string& replacement);

  const TDrawerGeometry& geometry_;
  TDrawSurface& surface_;
  TDrawerTexts& texts_;
  TEventPump& pump_;
  TPlotCells& cells_;
  bool slowMotion_ = false;                  // FSlowMotion
  std::optional<std::string> reportedText_;  // the rejected text last shown in a box
  std::string formula_;                      // the text put last, kept for its buffer
};

}  // namespace numora
