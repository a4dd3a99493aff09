// Cuts a segment to a rectangle, so a line toward a point far outside the window is drawn
// as far as the window reaches without handing the painter coordinates near 2^31.
#pragma once

#include <optional>

namespace numora {

struct TClipRect {
  double left, top, right, bottom;
};

struct TClippedSegment {
  double x1, y1, x2, y2;
};

// The part of the segment inside the rectangle (edges included); empty when none is.
std::optional<TClippedSegment> ClipSegment(double x1, double y1, double x2, double y2,
                                           const TClipRect& rect);

}  // namespace numora
