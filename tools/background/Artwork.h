// The drawer's own artwork, drawn by code so it can be made again: the 1024 x 768 background
// and the 32 x 32 slow-motion glyph.
#pragma once

#include <QImage>

namespace numora::artwork {

// Pale sky over soft hills with faint graph-paper lines: light and low in contrast, so a
// blue curve and red axis lines stay legible over it at any stretch.
QImage DrawBackground();

// A snail on the button face colour.
QImage DrawSlowMotionGlyph();

}  // namespace numora::artwork
