#include "KeyScript.h"

#include <charconv>

#include "AsciiCase.h"
#include "HeadlessCalculator.h"

namespace numora {

namespace {

// "ctrl+m", "ctrl+delete": Ctrl with a letter, a digit or a named key; 0 for no such key.
std::uint16_t CtrlKeyCode(std::string_view key) {
  if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= '0' && key[0] <= '9')))
    return static_cast<std::uint16_t>(UpperAscii(key[0]));  // the key codes of both are ASCII
  const TNamedKey* named = NamedKeyOfToken(key);
  return named != nullptr ? named->Code : 0;
}

std::string_view ModeName(TEntryMode mode) {
  switch (mode) {
    case TEntryMode::emAppend:
      return "emAppend";
    case TEntryMode::emNewNumber:
      return "emNewNumber";
    case TEntryMode::emAfterComma:
      return "emAfterComma";
    case TEntryMode::emOperandShown:
      return "emOperandShown";
  }
  return "?";
}

}  // namespace

bool TKeyScript::Add(std::string_view raw) {
  const std::string token = LowerAscii(raw);
  if (token.starts_with("paste:")) {
    steps_.push_back({TStepKind::Paste, std::string(raw.substr(6))});
    return true;
  }
  if (token.starts_with("type:")) {
    for (char c : raw.substr(5))
      steps_.push_back({TStepKind::Type, {}, static_cast<unsigned char>(c)});
    return raw.size() > 5;
  }
  for (const TMenuShortcut& shortcut : MenuShortcuts()) {
    if (LowerAscii(shortcut.Keys) == token) {
      // The copy shortcut shows what it left on the clipboard, as "copy" does.
      steps_.push_back(
          {shortcut.Command == TMenuCommand::Copy ? TStepKind::CopyShortcut : TStepKind::Shortcut,
           std::string(shortcut.Keys)});
      return true;
    }
  }
  if (token.starts_with("key:")) {
    const std::string_view digits = std::string_view(token).substr(4);
    unsigned code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        code > 0xFFFF)
      return false;
    steps_.push_back({TStepKind::Key, {}, static_cast<std::uint16_t>(code)});
    return true;
  }
  if (token.starts_with("ctrl+")) {
    const std::uint16_t code = CtrlKeyCode(std::string_view(token).substr(5));
    if (code == 0) return false;
    steps_.push_back({TStepKind::Key, {}, code, true});
    return true;
  }
  if (const TNamedKey* key = NamedKeyOfToken(token)) {
    steps_.push_back({TStepKind::Key, {}, key->Code});
    return true;
  }
  const std::pair<std::string_view, TStepKind> kWords[] = {{"copy", TStepKind::Copy},
                                                           {"sci", TStepKind::Scientific},
                                                           {"std", TStepKind::Standard},
                                                           {"close", TStepKind::Close}};
  for (const auto& [word, kind] : kWords) {
    if (word == token) {
      steps_.push_back({kind, {}});
      return true;
    }
  }
  // A key's caption ("sqrt", "M+"; "-" is the "--" key), or digits and commas key by key.
  if (const TCalculatorKey* key = KeyOfCaption(token == "-" ? "--" : token)) {
    steps_.push_back({TStepKind::Click, std::string(key->Component)});
    return true;
  }
  const std::size_t before = steps_.size();
  for (char c : token) {
    const TCalculatorKey* key = KeyOfCaption(std::string_view(&c, 1));
    if (key == nullptr || !((c >= '0' && c <= '9') || c == ',')) {
      steps_.resize(before);
      return false;
    }
    steps_.push_back({TStepKind::Click, std::string(key->Component)});
  }
  return !token.empty();
}

std::vector<std::string> TKeyScript::Run(bool withState) const {
  THeadlessCalculator calculator;
  std::vector<std::string> lines;
  const auto takeEvents = [&] {
    for (const THeadlessEvent& e : calculator.TakeEvents()) lines.push_back(e.Line());
  };
  // What a copy left on the clipboard, after what the copy itself said.
  const auto showClipboard = [&] {
    takeEvents();
    lines.push_back("clipboard: " + calculator.Clipboard().Text.value_or(""));
  };
  for (const TStep& step : steps_) {
    switch (step.Kind) {
      case TStepKind::Click:
        calculator.Click(step.Text);
        break;
      case TStepKind::Key:
        calculator.PressKey(step.Code, {.Ctrl = step.Ctrl});
        break;
      case TStepKind::Type:
        calculator.TypeCharacter(static_cast<char>(step.Code));
        break;
      case TStepKind::Shortcut:
        calculator.PressShortcut(step.Text);
        break;
      case TStepKind::CopyShortcut:
        calculator.PressShortcut(step.Text);
        showClipboard();
        break;
      case TStepKind::Copy:
        calculator.Copy();
        showClipboard();
        break;
      case TStepKind::Paste:
        calculator.Paste(step.Text);
        break;
      case TStepKind::Scientific:
        calculator.OpenScientific();
        break;
      case TStepKind::Standard:
        calculator.ReturnToStandard();
        break;
      case TStepKind::Close:
        calculator.CloseStandard();
        break;
    }
    takeEvents();
  }
  lines.push_back("display: " + calculator.Current().DisplayText());
  if (withState) {
    const TEngineState& s = calculator.State();
    lines.push_back("accumulator: " + FloatToStr(s.Accumulator));
    lines.push_back("memory: " + FloatToStr(s.Memory));
    lines.push_back("pending: " + s.PendingOperation);
    lines.push_back("mode: " + std::string(ModeName(s.EntryMode)));
    lines.push_back(std::string("nooperand: ") + (s.NoOperand ? "true" : "false"));
  }
  return lines;
}

}  // namespace numora
