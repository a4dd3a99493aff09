#include "ClipSegment.h"

#include <cmath>

namespace numora {

std::optional<TClippedSegment> ClipToRows(double x1, double y1, double x2, double y2, double top,
                                          double bottom) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return std::nullopt;
  if ((y1 < top && y2 < top) || (y1 > bottom && y2 > bottom)) return std::nullopt;
  // Where the segment crosses a row its ends lie on either side of. From the distance to that
  // row, not as a fraction of the whole length: near 1e308 that would keep no pixel exact.
  using TWide = long double;
  const auto cross = [&](double row) {
    return double(x1 + (TWide(row) - y1) * (TWide(x2) - x1) / (TWide(y2) - y1));
  };
  const double from = y1 < top ? top : y1 > bottom ? bottom : y1;
  const double to = y2 < top ? top : y2 > bottom ? bottom : y2;
  return TClippedSegment{from == y1 ? x1 : cross(from), from, to == y2 ? x2 : cross(to), to};
}

}  // namespace numora
