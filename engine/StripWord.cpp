#include <string>

#include "Engine.h"

namespace numora {

namespace {

// ASCII only: component names are ASCII, and the process locale must not matter.
std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

std::string StripWord(std::string_view word, std::string_view text) {
  std::string result(text);
  if (word.empty()) return result;  // an empty word would be found forever
  const std::string upperWord = UpperAscii(word);
  for (;;) {
    const std::size_t at = UpperAscii(result).find(upperWord);
    if (at == std::string::npos) return result;
    result.erase(at, word.size());
  }
}

}  // namespace numora
