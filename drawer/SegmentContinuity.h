// Whether the curve between two neighbouring samples may be drawn as one straight piece: not
// where the function has a pole or a jump in between, however steep it is elsewhere.
#pragma once

#include <functional>

namespace numora {

// value(w) is the function at w, not a number where it has none; y0 and y1, its numbers at the
// ends w0 and w1, are finite. Values are in pixels.
bool ContinuousBetween(const std::function<double(double)>& value, double w0, double y0, double w1,
                       double y1);

}  // namespace numora
