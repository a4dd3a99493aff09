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

void THeadlessCalculator::PressKey(std::uint16_t virtualKey, TShiftState shift) {
  char typed = CharacterOfKey(virtualKey);
  if (shift.CtrlAlone() && virtualKey >= vk::A && virtualKey <= vk::A + 25)
    typed = static_cast<char>(virtualKey - vk::A + 1);
  THeadlessWindow& w = Current();
  std::uint16_t key = virtualKey;
  Run([&] { engine_.Edit1KeyDown(w, key, shift, typed != '\0'); });
  if (key != 0 && typed != '\0') TypeCharacter(typed);
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
  scientific_ = std::make_unique<THeadlessWindow>(clipboard_, true);
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
