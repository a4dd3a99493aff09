#include "ClipSegment.h"

namespace numora {

// Liang-Barsky: the segment is p(t) = p1 + t (p2 - p1), t in [0, 1]; each edge narrows t.
std::optional<TClippedSegment> ClipSegment(double x1, double y1, double x2, double y2,
                                           const TClipRect& rect) {
  const double dx = x2 - x1, dy = y2 - y1;
  double enter = 0.0, leave = 1.0;
  const auto narrow = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;  // parallel to this edge: inside it or not at all
    const double t = q / p;
    if (p < 0.0) {
      if (t > leave) return false;
      if (t > enter) enter = t;
    } else {
      if (t < enter) return false;
      if (t < leave) leave = t;
    }
    return true;
  };
  if (!narrow(-dx, x1 - rect.left) || !narrow(dx, rect.right - x1) || !narrow(-dy, y1 - rect.top) ||
      !narrow(dy, rect.bottom - y1))
    return std::nullopt;
  return TClippedSegment{x1 + enter * dx, y1 + enter * dy, x1 + leave * dx, y1 + leave * dy};
}

}  // namespace numora
