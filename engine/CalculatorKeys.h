// The keys of the calculator windows, in one table: what each key is called, what it shows,
// which handler it runs, which typed characters press it and what a screen reader says of
// it. The engine's keyboard, the headless calculator, numora-probe and the windows' screen
// reader names all read this table, so a key cannot mean one thing in one place and another
// elsewhere.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "KeyCodes.h"

namespace numora {

enum class TKeyHandler : std::uint8_t {
  Digit,     // ZeroButtonClick: enters the caption
  Operator,  // PlusButtonClick
  Function,  // RootButtonClick
  Percent,
  Comma,
  Back,
  Sign,
  Clear,
  ClearAll,
  MemClear,
  MemRecall,
  MemStore,
  MemPlus,
  Pi
};

// A key stroke told by its key code, not by a character: F9, or a key held with Ctrl.
struct TKeyStroke {
  std::uint16_t Code = 0;  // 0: none
  bool Ctrl = false;
};

// Which windows show the key.
enum class TKeyWindows : std::uint8_t { Both, ScientificOnly };

struct TCalculatorKey {
  std::string_view Component;  // "PlusButton": operators and functions are named by it
  std::string_view Caption;    // what the key shows; digits enter it
  TKeyHandler Handler;
  // The characters that press it from the keyboard, if any; a letter in either case.
  std::string_view Typed;
  TKeyStroke Stroke;  // the key stroke that presses it, if any
  TKeyWindows Windows;
  std::string_view Name;  // what a screen reader calls it, in words
  std::string_view Description;
};

// Every key of the scientific window (the standard window has all but the scientific ones).
std::span<const TCalculatorKey> CalculatorKeys();
const TCalculatorKey* KeyOfComponent(std::string_view component);
// Ignoring case: "sqrt" is RootButton.
const TCalculatorKey* KeyOfCaption(std::string_view caption);
// The key a typed character presses: "*" is MultiplyButton whichever key typed it; "r" and
// "R" are both AdverseButton.
const TCalculatorKey* KeyOfCharacter(char character);
// The key a key stroke presses by its code: a stroke held with Ctrl (and without Alt, which
// with Ctrl is AltGr on Windows) only through the key table; otherwise the table's own
// strokes (F9) and, for strokes that type no character, what their key types (the digit
// rows, the numeric keypad, Enter, Backspace, Escape, Delete).
const TCalculatorKey* KeyOfStroke(std::uint16_t code, TShiftState shift);

// How a person writes the stroke: "F9", "Ctrl+M", "Ctrl+Delete".
std::string StrokeName(TKeyStroke stroke);
// The keyboard names a screen reader gives for the key ("= or Enter"); empty without one.
std::string KeyboardKeysOf(const TCalculatorKey& key);

// Menu entries that a key combination runs, shown beside the entry's caption.
enum class TMenuCommand { Copy, Paste };
struct TMenuShortcut {
  std::string_view Keys;   // "Ctrl+C", in the portable form of key sequences
  std::string_view Entry;  // the menu entry's component name
  TMenuCommand Command;    // what the entry does, for runs without a window
};
std::span<const TMenuShortcut> MenuShortcuts();

}  // namespace numora
