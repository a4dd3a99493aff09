#include <string>

#include "AsciiCase.h"
#include "Engine.h"

namespace numora {

std::string StripWord(std::string_view word, std::string_view text) {
  std::string result(text);
  if (word.empty()) return result;  // an empty word would be found forever
  const std::string lowerWord = LowerAscii(word);
  for (;;) {
    const std::size_t at = LowerAscii(result).find(lowerWord);
    if (at == std::string::npos) return result;
    result.erase(at, word.size());
  }
}

}  // namespace numora
