// Numbers as people copy them from web pages, spreadsheets and documents ("1 234,5",
// "1,234.56", "$12", "−5"), read into the display's own form. Free of Qt.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace numora {

// The display text of the number a pasted text holds (its first non-empty line counts), or
// nothing when it holds no number in range. What it returns StrToFloat reads back, and
// FloatToStr gives again: at most 15 significant digits, "," as the decimal separator.
std::optional<std::string> ReadPastedNumber(std::string_view text);

}  // namespace numora
