// What the entry keys and the paste share: how many digits a typed number may have, and the
// hidden field following the display at the end of every key handler.
#pragma once

#include <cstddef>
#include <string_view>

#include "Engine.h"

namespace numora::detail {

// The display shows 15 significant digits; a typed number with more would be computed with
// digits the user cannot see.
inline constexpr std::size_t kTypedDigits = 15;

// The digits of a typed number before any exponent, without a lone leading "0" before the
// comma ("0,05" has two, "-120" three).
inline std::size_t TypedDigitCount(std::string_view text) {
  text = text.substr(0, text.find_first_of("Ee"));
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.starts_with("0,")) text.remove_prefix(1);
  std::size_t digits = 0;
  for (char c : text) digits += (c >= '0' && c <= '9') ? 1 : 0;
  return digits;
}

// Runs FollowDisplay when the handler ends, however it ends.
class TFieldFollowsDisplay {
 public:
  TFieldFollowsDisplay(const TCalculatorEngine& engine, TCalcWindow& window)
      : engine_(engine), window_(window) {}
  ~TFieldFollowsDisplay() { engine_.FollowDisplay(window_); }
  TFieldFollowsDisplay(const TFieldFollowsDisplay&) = delete;
  TFieldFollowsDisplay& operator=(const TFieldFollowsDisplay&) = delete;

 private:
  const TCalculatorEngine& engine_;
  TCalcWindow& window_;
};

}  // namespace numora::detail
