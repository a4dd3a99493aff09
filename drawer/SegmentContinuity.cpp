#include "SegmentContinuity.h"

#include <algorithm>
#include <cmath>

namespace numora {
namespace {

using TValue = std::function<double(double)>;

// Less than a pixel off the ends' range or the straight line counts as on it.
constexpr double kTolerance = 1.0;
// Halvings of the interval around a suspected pole, and how often a middle that is off the
// straight line is looked at more closely.
constexpr int kHalvings = 10;
constexpr int kCloserLooks = 3;

// How far y lies beyond the range of a and b, in the direction given: above for +1.
double Beyond(double y, double a, double b, int direction) {
  return direction > 0 ? y - std::max(a, b) : std::min(a, b) - y;
}

// A value wm outside the ends' range: follows it toward the extreme in halving steps. A
// smooth peak settles and its neighbours come level with it; toward a pole the value keeps
// growing however small the step, or stands far above neighbours however close.
bool GrowsWithoutBound(const TValue& value, double w0, double w1, double wm, double ym, double a,
                       double b) {
  const int direction = ym > std::max(a, b) ? 1 : -1;
  double best = wm, excess = Beyond(ym, a, b, direction), halfway = excess;
  double neighbours = 0;  // the higher neighbour's excess at the last step
  double step = (w1 - w0) / 4;
  for (int i = 1; i <= kHalvings; ++i, step /= 2) {
    double next = best, found = excess;
    neighbours = -HUGE_VAL;
    for (const double w : {best - step, best + step}) {
      if (w <= w0 || w >= w1) continue;
      const double y = value(w);
      if (!std::isfinite(y)) return true;
      const double beyond = Beyond(y, a, b, direction);
      neighbours = std::max(neighbours, beyond);
      if (beyond > found) next = w, found = beyond;
    }
    best = next;
    excess = found;
    if (i == kHalvings / 2) halfway = excess;
    if (i > kHalvings / 2 && excess > 4 * halfway) return true;
  }
  return excess > 2 * halfway || neighbours < excess / 2;
}

// Ends of opposite sign: follows the change of sign. At a zero both sides shrink toward 0;
// through infinity they grow past the segment's ends.
bool ChangesSignThroughInfinity(const TValue& value, double w0, double y0, double w1, double y1) {
  const double ends = std::max(std::fabs(y0), std::fabs(y1));
  for (int i = 0; i < 2 * kHalvings; ++i) {
    if (std::max(std::fabs(y0), std::fabs(y1)) <= kTolerance) return false;
    if (std::min(std::fabs(y0), std::fabs(y1)) > 2 * ends) return true;
    const double wm = (w0 + w1) / 2, ym = value(wm);
    if (!std::isfinite(ym)) return true;
    if ((ym < 0) == (y0 < 0))
      w0 = wm, y0 = ym;
    else
      w1 = wm, y1 = ym;
  }
  return false;
}

bool Continuous(const TValue& value, double w0, double y0, double w1, double y1, int looks) {
  const double wm = (w0 + w1) / 2, ym = value(wm);
  if (!std::isfinite(ym)) return false;
  if (Beyond(ym, y0, y1, 1) > kTolerance || Beyond(ym, y0, y1, -1) > kTolerance)
    return !GrowsWithoutBound(value, w0, w1, wm, ym, y0, y1);
  if ((y0 < 0) != (y1 < 0) && y0 != 0 && y1 != 0)
    return !ChangesSignThroughInfinity(value, w0, y0, w1, y1);
  // Inside the range but off the line: the change gathers in one half, where a pole may hide
  // behind an end.
  if (looks < kCloserLooks && std::fabs(ym - (y0 / 2 + y1 / 2)) > kTolerance)
    return Continuous(value, w0, y0, wm, ym, looks + 1) &&
           Continuous(value, wm, ym, w1, y1, looks + 1);
  return true;
}

}  // namespace

bool ContinuousBetween(const TValue& value, double w0, double y0, double w1, double y1) {
  return Continuous(value, w0, y0, w1, y1, 0);
}

}  // namespace numora
