#include "ClipSegment.h"

#include <cmath>
#include <utility>

namespace numora {
namespace {

using TWide = long double;

// Where the kept part of the segment begins or ends: a fraction t of the way from the first
// end, and the edge it lies on (kNoEdge: the segment's own end).
constexpr int kNoEdge = -1;
struct TCutEnd {
  TWide t;
  int edge;
};

}  // namespace

// Liang-Barsky: the segment is p(t) = p1 + t (p2 - p1), t in [0, 1]; each edge narrows t.
std::optional<TClippedSegment> ClipSegment(double x1, double y1, double x2, double y2,
                                           const TClipRect& rect) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return std::nullopt;
  const TWide dx = TWide(x2) - x1, dy = TWide(y2) - y1;
  const TWide edges[4] = {rect.left, rect.right, rect.top, rect.bottom};
  const TWide outward[4] = {-dx, dx, -dy, dy};
  const TWide inside[4] = {x1 - edges[0], edges[1] - x1, y1 - edges[2], edges[3] - y1};
  TCutEnd enter{0, kNoEdge}, leave{1, kNoEdge};
  for (int e = 0; e < 4; ++e) {
    if (outward[e] == 0) {  // parallel to this edge: inside it or not at all
      if (inside[e] < 0) return std::nullopt;
      continue;
    }
    const TWide t = inside[e] / outward[e];
    if (outward[e] < 0) {
      if (t > leave.t) return std::nullopt;
      if (t > enter.t) enter = {t, e};
    } else {
      if (t < enter.t) return std::nullopt;
      if (t < leave.t) leave = {t, e};
    }
  }
  // A cut end lies on its edge exactly, and its other coordinate comes from the distance to
  // that edge: t times a length near 1e308 would keep no pixel of precision.
  const auto point = [&](const TCutEnd& end, double x, double y) {
    if (end.edge == kNoEdge) return std::pair(x, y);
    const TWide at = edges[end.edge];
    if (end.edge < 2) return std::pair(double(at), double(y1 + (at - x1) * dy / dx));
    return std::pair(double(x1 + (at - y1) * dx / dy), double(at));
  };
  const auto [ax, ay] = point(enter, x1, y1);
  const auto [bx, by] = point(leave, x2, y2);
  return TClippedSegment{ax, ay, bx, by};
}

}  // namespace numora
