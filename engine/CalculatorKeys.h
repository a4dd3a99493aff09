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

struct TCalculatorKey {
  std::string_view Component;  // "PlusButton": operators and functions are named by it
  std::string_view Caption;    // what the key shows; digits enter it
  TKeyHandler Handler;
  std::string_view Typed;  // the characters that press it from the keyboard, if any
  std::string_view Name;   // what a screen reader calls it, in words
  std::string_view Description;
};

// Every key of the scientific window (the standard window has all but the scientific ones).
std::span<const TCalculatorKey> CalculatorKeys();
const TCalculatorKey* KeyOfComponent(std::string_view component);
// Ignoring case: "sqrt" is RootButton.
const TCalculatorKey* KeyOfCaption(std::string_view caption);
// The key a typed character presses: "*" is MultiplyButton whichever key typed it.
const TCalculatorKey* KeyOfCharacter(char character);
// Only for key strokes that type no character: the key the key code stands for (the digit
// rows, the numeric keypad's operators and decimal key, Enter, Backspace, Escape, Delete).
const TCalculatorKey* KeyOfVirtualKey(std::uint16_t virtualKey);

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
