// The variable of a typed formula: a w or W that stands alone, with no letter, digit or point
// (what names and numerals are made of) on either side, and not the exponent of a numeral.
// It is the w of "sin(w)", "2*W" and "w^2", not the one inside "POWER(w,2)", "w2", "2w" or
// "2e-w": what takes its place never joins a neighbour into a longer name or number.
// Texts are UTF-8; positions count characters from 1.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numora {

// The typed formula with every variable replaced.
std::string ReplaceVariable(std::string_view typed, std::string_view replacement);
// The same, appended to out.
void AppendReplacedVariable(std::string& out, std::string_view typed, std::string_view replacement);

// The character of typed that character `position` of ReplaceVariable(typed, r) comes from,
// for an ASCII replacement r of replacementLength characters; a position past the end gives
// the one just after typed.
std::size_t TypedPosition(std::string_view typed, std::size_t replacementLength,
                          std::size_t position);

// Where a variable stands before the "(" at character `position` of typed, spaces between
// allowed, so that the text calls a function named w; 0 when it does not.
std::size_t CalledVariable(std::string_view typed, std::size_t position);

// Character `position` (from 1) of text; empty past its end.
std::string_view CharacterAt(std::string_view text, std::size_t position);

}  // namespace numora
