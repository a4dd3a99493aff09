// Key tokens as a person writes them ("2,5", "+", "sqrt", "kp+", "f9", "ctrl+m", "type:2*3=",
// "paste:42", "sci"), run on a headless calculator from the program's start. numora-probe
// keys speaks this language; its keyboard keys are the named keys of KeyCodes.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

class TKeyScript {
 public:
  // Appends the token's steps; false for a token that names nothing. Tokens ignore case,
  // except the text after "paste:" and "type:".
  bool Add(std::string_view token);

  // Runs the steps from the program's start and returns what the user sees and hears, one
  // line each and in order: "beep", "message: TEXT", "fault: TEXT", "clipboard: TEXT" (after
  // copy), then "display: TEXT" and, with state, one "field: value" line per engine field.
  std::vector<std::string> Run(bool withState) const;

 private:
  enum class TStepKind : std::uint8_t {
    Click,
    Key,
    Type,
    Shortcut,
    CopyShortcut,
    Copy,
    Paste,
    Scientific,
    Standard,
    Close
  };
  struct TStep {
    TStepKind Kind;
    std::string Text;        // the component clicked, the pasted text or the shortcut's keys
    std::uint16_t Code = 0;  // the key code, or the typed character
    bool Ctrl = false;       // a key held with Ctrl
  };
  std::vector<TStep> steps_;
};

}  // namespace numora
