// Rounding and truncation to decimal places as a spreadsheet does them: on the number's
// shortest decimal form of 15 significant digits, not on an inexact binary product.
#pragma once

namespace numora {

// x rounded (halves away from zero) or cut toward zero to `places` digits after the
// decimal point; negative places work on tens, hundreds... x is finite, places a whole
// number. A result too large for a double is infinite.
double RoundToPlaces(double x, double places);
double TruncateToPlaces(double x, double places);

}  // namespace numora
