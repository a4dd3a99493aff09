#include "HeadlessCalculator.h"

#include <utility>

#include "AsciiCase.h"

namespace numora {

std::string THeadlessEvent::Line() const {
  switch (Kind) {
    case TKind::Beep:
      return "beep";
    case TKind::Message:
      return "message: " + Text;
    case TKind::Fault:
      return "fault: " + Text;
  }
  return {};
}

std::optional<char> CharacterOfKey(std::uint16_t virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<char>(virtualKey);
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<char>(virtualKey - 'A' + 'a');
  if (virtualKey >= 96 && virtualKey <= 105) return static_cast<char>('0' + virtualKey - 96);
  switch (virtualKey) {
    case 8:
      return '\b';
    case 9:
      return '\t';
    case 13:
      return '\r';
    case 27:
      return '\x1b';
    case 32:
      return ' ';
    case 106:
      return '*';
    case 107:
      return '+';
    case 109:
      return '-';
    case 110:
      return ',';  // the decimal key of a layout whose separator is the comma
    case 111:
      return '/';
    case 186:
      return ';';
    case 187:
      return '=';
    case 188:
      return ',';
    case 189:
      return '-';
    case 190:
      return '.';
    case 191:
      return '/';
    case 192:
      return '`';
    case 219:
      return '[';
    case 220:
      return '\\';
    case 221:
      return ']';
    case 222:
      return '\'';
    default:
      return std::nullopt;
  }
}

THeadlessCalculator::THeadlessCalculator()
    : standard_(std::make_unique<THeadlessWindow>(clipboard_)) {
  engine_.FormCreate();
  standard_->Field().Focus();
}

template <class TAction>
void THeadlessCalculator::Run(TAction action) {
  try {
    action();
  } catch (const EEngineFault& fault) {
    host_.ReportFault(fault);
  }
}

bool THeadlessCalculator::Click(std::string_view component) {
  const TCalculatorKey* key = KeyOfComponent(component);
  if (key == nullptr) return false;
  THeadlessWindow& w = Current();
  Run([&] { engine_.ClickKey(w, *key); });
  return true;
}

void THeadlessCalculator::PressKey(std::uint16_t virtualKey) {
  const std::optional<char> typed = CharacterOfKey(virtualKey);
  THeadlessWindow& w = Current();
  Run([&] { engine_.Edit1KeyDown(w, virtualKey, typed.has_value()); });
  if (typed) TypeCharacter(*typed);
}

void THeadlessCalculator::TypeCharacter(char character) {
  THeadlessWindow& w = Current();
  Run([&] { engine_.Edit1KeyPress(w, character); });
}

bool THeadlessCalculator::PressShortcut(std::string_view keys) {
  const std::string wanted = LowerAscii(keys);
  for (const TMenuShortcut& shortcut : MenuShortcuts()) {
    if (LowerAscii(shortcut.Keys) != wanted) continue;
    switch (shortcut.Command) {
      case TMenuCommand::Copy:
        Copy();
        break;
      case TMenuCommand::Paste:
        Paste();
        break;
    }
    return true;
  }
  return false;
}

void THeadlessCalculator::Copy() {
  Run([&] { engine_.Kopyala1Click(Current()); });
}

void THeadlessCalculator::Paste() {
  Run([&] { engine_.Yaptr1Click(Current()); });
}

void THeadlessCalculator::Paste(const std::string& text) {
  clipboard_.Text = text;
  Paste();
}

void THeadlessCalculator::OpenScientific() {
  if (scientific_) return;
  scientific_ = std::make_unique<THeadlessWindow>(clipboard_);
  engine_.FormCreate();
  scientific_->Field().Focus();
}

// The standard window comes back with the number the engine goes on working on.
void THeadlessCalculator::ReturnToStandard() {
  if (!scientific_) return;
  standard_->SetDisplayText(scientific_->DisplayText());
  engine_.FollowDisplay(*standard_);
  scientific_.reset();
}

void THeadlessCalculator::CloseStandard() { engine_.FormClose(); }

}  // namespace numora
