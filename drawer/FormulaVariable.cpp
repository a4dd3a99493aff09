#include "FormulaVariable.h"

#include "Utf8.h"

namespace numora {
namespace {

// Letters, digits and the point make up names and numerals.
bool Joins(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}

// Whatever joins the character before `at`, and the sign of a numeral's exponent: in "2e-w"
// a numeral in place of w would complete the number 2e-5, where a reference is refused.
bool JoinsBefore(std::string_view text, std::size_t at) {
  if (at == 0) return false;
  if (Joins(text[at - 1])) return true;
  return at >= 3 && (text[at - 1] == '+' || text[at - 1] == '-') &&
         (text[at - 2] == 'e' || text[at - 2] == 'E') &&
         ((text[at - 3] >= '0' && text[at - 3] <= '9') || text[at - 3] == '.');
}

// The offset of the first variable at or after `from`; npos if there is none.
std::size_t NextVariable(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (text[at] != 'w' && text[at] != 'W') continue;
    if (!JoinsBefore(text, at) && (at + 1 == text.size() || !Joins(text[at + 1]))) return at;
  }
  return std::string_view::npos;
}

}  // namespace

void AppendReplacedVariable(std::string& out, std::string_view typed,
                            std::string_view replacement) {
  std::size_t at = 0;
  for (std::size_t w; (w = NextVariable(typed, at)) != std::string_view::npos; at = w + 1)
    out.append(typed.substr(at, w - at)).append(replacement);
  out.append(typed.substr(at));
}

std::string ReplaceVariable(std::string_view typed, std::string_view replacement) {
  std::string result;
  result.reserve(typed.size() + 4 * replacement.size());
  AppendReplacedVariable(result, typed, replacement);
  return result;
}

std::size_t TypedPosition(std::string_view typed, std::size_t replacementLength,
                          std::size_t position) {
  std::size_t replaced = 0, character = 0;  // characters passed in either text
  std::size_t variable = NextVariable(typed, 0);
  for (std::size_t at = 0; at < typed.size(); ++at) {
    if (at == variable) {
      if (position <= replaced + replacementLength) return character + 1;
      replaced += replacementLength;
      ++character;
      variable = NextVariable(typed, at + 1);
    } else if (!IsContinuationByte(typed[at])) {
      if (position == replaced + 1) return character + 1;
      ++replaced;
      ++character;
    }
  }
  return character + 1;
}

std::size_t CalledVariable(std::string_view typed, std::size_t position) {
  const std::string_view open = CharacterAt(typed, position);
  if (open != "(") return 0;
  const std::size_t openAt = static_cast<std::size_t>(open.data() - typed.data());
  for (std::size_t w = NextVariable(typed, 0); w < openAt; w = NextVariable(typed, w + 1)) {
    std::size_t next = w + 1;
    while (next < openAt && typed[next] == ' ') ++next;
    if (next == openAt) return CodePointCount(typed.substr(0, w)) + 1;
  }
  return 0;
}

std::string_view CharacterAt(std::string_view text, std::size_t position) {
  std::size_t character = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (IsContinuationByte(text[at]) || ++character != position) continue;
    std::size_t end = at + 1;
    while (end < text.size() && IsContinuationByte(text[end])) ++end;
    return text.substr(at, end - at);
  }
  return {};
}

}  // namespace numora
