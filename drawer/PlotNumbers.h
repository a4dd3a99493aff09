// Numbers of the plot: rounding to pixels and the readouts' integer texts.
#pragma once

#include <cstdint>
#include <string>

namespace numora {

// The nearest integer, a half to the even neighbour; NaN and infinities stay as they are.
double RoundHalfEven(double value);

// Plain decimal text: "-" before negative values, nothing else.
std::string IntegerText(std::int64_t value);

// The rounded value as an integer text; a value no 64-bit integer holds is written by
// FloatToStr instead ("NAN", "INF", "-INF", "1,024E23"), never as a wrapped-around number.
std::string RoundedText(double value);

}  // namespace numora
