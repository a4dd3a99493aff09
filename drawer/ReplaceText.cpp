#include "ReplaceText.h"

#include <stdexcept>

namespace numora {
namespace {

char UpperChar(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// First position at or after from where the upper-cased text holds pattern (already upper).
std::size_t FindUpper(std::string_view text, std::string_view pattern, std::size_t from) {
  if (text.size() < pattern.size()) return std::string_view::npos;
  for (std::size_t i = from; i + pattern.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < pattern.size() && UpperChar(text[i + k]) == pattern[k]) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperChar(c);
  return upper;
}

std::string ReplaceText(std::string_view pattern, std::string_view replacement,
                        std::string_view source) {
  if (pattern.empty()) return std::string(source);
  const std::string upper = UpperAscii(pattern);
  if (FindUpper(replacement, upper, 0) != std::string_view::npos)
    throw std::invalid_argument("ReplaceText: the replacement contains the pattern");

  if (upper.size() == 1) {
    // Nothing before an occurrence of one character changes when it is replaced, and the
    // replacement holds no such character: the search from the start resumes right after it.
    std::string result;
    result.reserve(source.size());
    std::size_t at = 0;
    for (std::size_t p; (p = FindUpper(source, upper, at)) != std::string_view::npos; at = p + 1) {
      result.append(source.substr(at, p - at)).append(replacement);
    }
    return result.append(source.substr(at));
  }

  // A longer pattern may be completed by the end of the text before the replacement, so the
  // search resumes that many characters earlier; nothing before that can match.
  std::string result(source);
  std::size_t from = 0;
  for (std::size_t p; (p = FindUpper(result, upper, from)) != std::string_view::npos;) {
    result.replace(p, upper.size(), replacement);
    from = p >= upper.size() - 1 ? p - (upper.size() - 1) : 0;
  }
  return result;
}

}  // namespace numora
