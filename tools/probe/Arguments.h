// Reading the probe's numeric arguments.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace numora::probe {

// The whole text as a decimal integer; empty when anything else is in it.
inline std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace numora::probe
