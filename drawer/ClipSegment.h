// Cuts a segment of the curve to the rows of the picture in floating point, so a line toward
// a point far beyond any pixel coordinate is drawn as far as the picture reaches. The plot's
// columns never leave the picture, so rows are all there is to cut.
#pragma once

#include <optional>

namespace numora {

struct TClippedSegment {
  double x1, y1, x2, y2;
};

// The part of the segment from row top to row bottom (both included); empty when none is, or
// when an end is not a finite point. Ends of opposite sign near the largest double work too:
// the cut is computed in extended precision, whose range no difference of two doubles leaves.
std::optional<TClippedSegment> ClipToRows(double x1, double y1, double x2, double y2, double top,
                                          double bottom);

}  // namespace numora
