// The calculator engine: one state for the whole program, driven by key names.
// No window framework here; windows implement TCalcWindow and TEngineHost.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace numora {

enum class TEntryMode : std::uint8_t { emAppend = 0, emNewNumber = 1, emAfterComma = 2 };

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
  // Copies the selection to the clipboard as plain text.
  virtual void CopyToClipboard() = 0;
  // Replaces the selection (or inserts at the caret) by the clipboard's first line.
  virtual void PasteFromClipboard() = 0;
};

// The window a key was pressed in.
class TCalcWindow {
 public:
  virtual ~TCalcWindow() = default;
  virtual std::string DisplayText() const = 0;  // the CalcEdit caption
  virtual void SetDisplayText(const std::string& text) = 0;
  virtual TTextField& HiddenField() = 0;  // Edit1
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

}  // namespace numora
