// Cuts a segment to a rectangle in floating point, so a line toward a point far beyond any
// pixel coordinate is drawn as far as the rectangle reaches.
#pragma once

#include <optional>

namespace numora {

struct TClipRect {
  double left, top, right, bottom;
};

struct TClippedSegment {
  double x1, y1, x2, y2;
};

// The part of the segment inside the rectangle (edges included); empty when none is, or
// when an end is not a finite point. Any finite ends work, even of opposite sign near the
// largest double: the cut is computed in extended precision, whose range no difference of
// two doubles leaves.
std::optional<TClippedSegment> ClipSegment(double x1, double y1, double x2, double y2,
                                           const TClipRect& rect);

}  // namespace numora
