// Code-point steps over UTF-8 text: a pasted display text may hold any characters, and
// editing it must never split one. Private to the engine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numora::detail {

inline bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

inline std::size_t CodePointCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += IsContinuationByte(c) ? 0 : 1;
  return count;
}

// Removes the last code point (a lone stray byte counts as one).
inline void EraseLastCodePoint(std::string& text) {
  if (text.empty()) return;
  std::size_t at = text.size() - 1;
  while (at > 0 && IsContinuationByte(text[at]) && text.size() - at < 4) --at;
  if (IsContinuationByte(text[at])) at = text.size() - 1;  // no lead byte: drop one byte
  text.erase(at);
}

}  // namespace numora::detail
