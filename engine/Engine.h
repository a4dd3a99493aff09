// The calculator engine: one state for the whole program, driven by key names.
// No window framework here; windows implement TCalcWindow and TEngineHost.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "CalculatorKeys.h"

namespace numora {

// emOperandShown: the display shows a whole number put there by a key (a function, "%", Pi,
// MR, MS, M+, a paste in scientific form) that the next operator takes as its operand, as it
// takes a typed one; the next digit starts a new number. emNewNumber, after an operator, also makes
// the next operator calculate nothing.
enum class TEntryMode : std::uint8_t {
  emAppend = 0,
  emNewNumber = 1,
  emAfterComma = 2,
  emOperandShown = 3
};

struct TEngineState {
  long double Accumulator = 0;
  long double Memory = 0;
  std::string PendingOperation;
  TEntryMode EntryMode = TEntryMode::emAppend;
  bool NoOperand = false;
};

// A single-line text field with caret and selection (the hidden Edit1).
class TTextField {
 public:
  virtual ~TTextField() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SelectAll() = 0;
  // True when a typed or pasted text would replace the whole text.
  virtual bool WhollySelected() const = 0;
  // Copies the selection to the clipboard as plain text, also an empty selection.
  virtual void CopyToClipboard() = 0;
  // The clipboard's plain text, all its lines; nothing when it holds no text.
  virtual std::optional<std::string> ClipboardText() const = 0;
};

// The window a key was pressed in.
class TCalcWindow {
 public:
  virtual ~TCalcWindow() = default;
  virtual std::string DisplayText() const = 0;  // the CalcEdit caption
  virtual void SetDisplayText(const std::string& text) = 0;
  virtual TTextField& HiddenField() = 0;  // Edit1
  // Whether the window shows the key: the keyboard presses only keys of its own window.
  virtual bool HasKey(const TCalculatorKey& key) const = 0;
};

// What the engine needs from its surroundings. The generic fault report is not here:
// faults leave the operation as EEngineFault and the caller reports them.
class TEngineHost {
 public:
  virtual ~TEngineHost() = default;
  virtual void Beep() = 0;
  virtual void ShowMessage(const std::string& text) = 0;  // modal, returns when closed
};

class EEngineFault : public std::runtime_error {
 public:
  enum class TKind { Conversion, InvalidOperation, DivisionByZero, Overflow };
  EEngineFault(TKind kind, const std::string& description)
      : std::runtime_error(description), kind_(kind) {}
  TKind Kind() const { return kind_; }

 private:
  TKind kind_;
};

// Number/text conversions of the display: 15 significant digits, "," as separator,
// independent of the process locale. StrToFloat throws EEngineFault(Conversion).
std::string FloatToStr(long double value);
long double StrToFloat(std::string_view text);

// The text with every occurrence of word removed, ignoring case. An empty word removes nothing.
std::string StripWord(std::string_view word, std::string_view text);

// Pi as the full 64-bit-significand extended value: shown by the Pi key and used by every
// degree-to-radian conversion of the trigonometric keys.
inline constexpr long double kExtendedPi = 0xC90FDAA22168C235p-62L;

// The calculator's key operations. Every operation acts on the engine state and on the
// display text of the window passed in. Faults other than the handled division by zero
// leave the operation as EEngineFault; the caller reports them.
class TCalculatorEngine {
 public:
  explicit TCalculatorEngine(TEngineHost& host) : host_(host) {}

  TEngineState& State() { return state_; }
  const TEngineState& State() const { return state_; }

  // Operators and functions are named by the key's component name ("PlusButton").
  void PlusButtonClick(TCalcWindow& window, std::string_view componentName);
  void RootButtonClick(TCalcWindow& window, std::string_view componentName);
  void PercentButtonClick(TCalcWindow& window);
  void Calculate(TCalcWindow& window);

  // Digits are named by the key's caption ("0" to "9").
  void EnterText(TCalcWindow& window, std::string_view text);
  void ZeroButtonClick(TCalcWindow& window, std::string_view caption);
  void CommaButtonClick(TCalcWindow& window);
  void BackButtonClick(TCalcWindow& window);
  void SignButtonClick(TCalcWindow& window);
  void ClearButtonClick(TCalcWindow& window);
  void ClearAllButtonClick(TCalcWindow& window);
  void FormCreate();  // the engine half of every calculator window's creation
  void FormClose();   // the engine half of the standard window's close

  // After MR, MS, M+ and Pi the display is the next operator's operand (emOperandShown).
  void MemClearBtnClick();
  void MemButtonClick(TCalcWindow& window);      // "MR": shows the memory
  void SpeedButton22Click(TCalcWindow& window);  // "MS": stores the displayed number
  void MemPlusBtnClick(TCalcWindow& window);
  void PiBtnClick(TCalcWindow& window);  // shows kExtendedPi

  // A click on the window's key as the key table describes it (CalculatorKeys.h).
  void ClickKey(TCalcWindow& window, const TCalculatorKey& key);

  // Edit1 holds the display text: wholly selected when the next digit starts a new number
  // (so a paste replaces it), with the caret at its end while a number is being typed (so a
  // paste continues it). Every key handler ends with it, also one that faults.
  void FollowDisplay(TCalcWindow& window) const;

  // Keyboard: one key stroke into the hidden field, key down first. A stroke held with Ctrl
  // is decided by its key code and the key table alone, and so is a stroke that types no
  // character; any other stroke by the character it types (Edit1KeyPress), whatever key and
  // modifiers typed it. virtualKey becomes 0 when the stroke is done with: no character of
  // it follows and the field does not take it (set before the key acts, so a fault cannot
  // let it through: the carriage return of Ctrl+M is never Enter).
  void Edit1KeyDown(TCalcWindow& window, std::uint16_t& virtualKey, TShiftState shift,
                    bool typesCharacter);
  // Presses the key the character stands for. The character becomes '\0' before the key
  // acts: the field never takes a typed character in, it follows the display.
  void Edit1KeyPress(TCalcWindow& window, char& character);
  void Kopyala1Click(TCalcWindow& window);  // "&Copy"
  // "&Paste": the clipboard's number (ReadPastedNumber) replaces the selected field or
  // continues the number being typed; a text that is no number, or that would make the typed
  // one no number, only beeps.
  void Yaptr1Click(TCalcWindow& window);

 private:
  // Stores a quotient computed with the status flags in raised (the handled division by zero).
  void StoreQuotient(std::string_view operation, long double value, int raised);

  bool NewNumberDue(const TCalcWindow& window) const;
  void ShownNumberIsOperand();

  TEngineHost& host_;
  TEngineState state_;
};

}  // namespace numora
