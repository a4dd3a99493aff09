// Code-point steps over UTF-8 text: a pasted display text or a typed formula may hold any
// characters, and editing it or naming a position in it must never split one. The one place
// every library tells code points from bytes; free of Qt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numora {

// A byte inside a multi-byte character, not the first byte of one.
constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

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

}  // namespace numora
