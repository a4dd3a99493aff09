// Case folding for extensions, function names, component names and key tokens: ASCII only, so
// the process locale never matters (in a Turkish locale the C library lowers "I" to no "i" at
// all). The one place every library folds case; free of Qt.
#pragma once

#include <string>
#include <string_view>

namespace numora {

constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

}  // namespace numora
