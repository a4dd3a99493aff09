// Case folding for component names and key tokens: ASCII only, so the process locale never
// matters. Private to the engine.
#pragma once

#include <string>
#include <string_view>

namespace numora::detail {

inline std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace numora::detail
