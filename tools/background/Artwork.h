// The drawer's own artwork, drawn by code so it can be made again: the 1024 x 768 background
// and the 32 x 32 slow-motion glyph.
#pragma once

#include <QImage>

namespace numora::artwork {

// Where the drawer shows the background: stretched onto a picture of the given size, whose
// point (originX, originY) is w = 0, F = 0, one unit a pixel.
struct TPlotPlacement {
  int width, height, originX, originY;
};

// Pale sky over soft hills with faint graph paper: light and low in contrast, so a blue curve
// and red axis lines stay legible over it. The paper's lines fall, after the stretch, on the
// picture pixels of every 10th unit of w and F, every 50th stronger.
QImage DrawBackground(const TPlotPlacement& placement);

// A snail on the button face colour.
QImage DrawSlowMotionGlyph();

}  // namespace numora::artwork
