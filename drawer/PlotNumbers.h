// Numbers of the plot: rounding to pixels and the readouts' integer texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace numora {

// The nearest integer, a half to the even neighbour; empty when no 64-bit integer holds it
// (not a number, infinite, or beyond the range).
std::optional<std::int64_t> RoundHalfEven(double value);

// offset + the rounded value as a pixel coordinate; empty when no 32-bit coordinate holds it.
std::optional<int> PixelCoordinate(double value, int offset);

// Plain decimal text: "-" before negative values, nothing else.
std::string IntegerText(std::int64_t value);

// The rounded value as an integer text; a value no 64-bit integer holds is written by
// FloatToStr instead ("NAN", "INF", "-INF", "1,024E23"), never as a wrapped-around number.
std::string RoundedText(double value);

}  // namespace numora
