// Case-insensitive search and replace of the drawer's formulas.
#pragma once

#include <string>
#include <string_view>

namespace numora {

// Upper-cases the letters a to z only; every other byte stays as it is.
std::string UpperAscii(std::string_view text);

// The source with every occurrence of pattern, compared without regard to the case of a to z,
// replaced by replacement. Each search starts again at the beginning of the text built so
// far, so a replacement that completes a new occurrence with the text before it is replaced
// too. An empty pattern changes nothing. A replacement that itself contains the pattern would
// be replaced again forever: that throws std::invalid_argument.
std::string ReplaceText(std::string_view pattern, std::string_view replacement,
                        std::string_view source);

}  // namespace numora
