// The calculator program without windows: the standard window, an optional scientific
// window, one engine and one clipboard. Keys are pressed by component name, as a window
// binds them; faults go to a generic report, as the application's default handling does.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Engine.h"
#include "HeadlessWindow.h"

namespace numora {

struct THeadlessEvent {
  enum class TKind : std::uint8_t { Beep, Message, Fault };
  TKind Kind;
  std::string Text;          // the message or the fault's description
  std::string Line() const;  // "beep", "message: ...", "fault: ..."
};

// Records what the engine asks of its surroundings, in order.
class TRecordingHost : public TEngineHost {
 public:
  void Beep() override { events_.push_back({THeadlessEvent::TKind::Beep, {}}); }
  void ShowMessage(const std::string& text) override {
    events_.push_back({THeadlessEvent::TKind::Message, text});
  }
  void ReportFault(const EEngineFault& fault) {
    events_.push_back({THeadlessEvent::TKind::Fault, fault.what()});
  }
  std::vector<THeadlessEvent> TakeEvents() { return std::exchange(events_, {}); }

 private:
  std::vector<THeadlessEvent> events_;
};

class THeadlessCalculator {
 public:
  // Program start: the standard window is created (FormCreate) and its field has the focus.
  THeadlessCalculator();

  TCalculatorEngine& Engine() { return engine_; }
  const TEngineState& State() const { return engine_.State(); }
  THeadlessWindow& Standard() { return *standard_; }
  THeadlessWindow* Scientific() { return scientific_.get(); }
  THeadlessWindow& Current() { return scientific_ ? *scientific_ : *standard_; }
  TMemoryClipboard& Clipboard() { return clipboard_; }

  // A click on the current window's key with this component name ("PlusButton", "SevenButton",
  // "MemPlusBtn", "PiBtn"). False for a name that no calculator window has.
  bool Click(std::string_view component);
  // One key stroke into the current window's hidden field: key down, then the character a
  // US keyboard types with it through the filter into the field, unless the key down was
  // the end of it (Ctrl+letter types its control character, as the platforms do).
  void PressKey(std::uint16_t virtualKey, TShiftState shift = {});
  // A key stroke that types this character, whichever key and modifiers typed it.
  void TypeCharacter(char character);
  // A menu shortcut ("ctrl+c", ignoring case); false when no menu entry has it.
  bool PressShortcut(std::string_view keys);
  void Copy();                          // "&Copy"
  void Paste();                         // "&Paste"
  void Paste(const std::string& text);  // puts text on the clipboard, then "&Paste"

  void OpenScientific();    // "S&cientific": nothing while a scientific window is open
  void ReturnToStandard();  // "&Standart": the standard window takes over the display text
  void CloseStandard();     // the standard window's close

  // Events since the last call: beeps, messages and reported faults.
  std::vector<THeadlessEvent> TakeEvents() { return host_.TakeEvents(); }

 private:
  template <class TAction>
  void Run(TAction action);

  TRecordingHost host_;
  TCalculatorEngine engine_{host_};
  TMemoryClipboard clipboard_;
  std::unique_ptr<THeadlessWindow> standard_;
  std::unique_ptr<THeadlessWindow> scientific_;
};

}  // namespace numora
