// A calculator window without a window framework: a display text and a hidden field with
// caret and selection over an in-memory clipboard. Used by numora-probe and by tests.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "Engine.h"

namespace numora {

// The plain-text clipboard; empty until something is copied or put there.
struct TMemoryClipboard {
  std::optional<std::string> Text;
};

// A single-line text field: a typed or pasted text replaces the selection or goes in at
// the caret; Backspace deletes the selection or the character before the caret.
class TMemoryTextField : public TTextField {
 public:
  explicit TMemoryTextField(TMemoryClipboard& clipboard, std::string text = "0");

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;  // caret at the end, nothing selected
  void SelectAll() override;
  void CopyToClipboard() override;
  bool PasteFromClipboard() override;

  // The field gets the keyboard focus; the first time, its whole text becomes selected.
  void Focus();
  // One character as the field itself takes it: Backspace edits, Tab and Enter are not
  // text in a single-line field, any other character is inserted.
  void TypeCharacter(char character);

  std::size_t Caret() const { return caret_; }
  std::size_t SelectionStart() const { return selectionStart_; }
  std::size_t SelectionLength() const { return selectionLength_; }

 private:
  void ReplaceSelection(const std::string& text);

  TMemoryClipboard& clipboard_;
  std::string text_;
  std::size_t caret_ = 0;
  std::size_t selectionStart_ = 0;
  std::size_t selectionLength_ = 0;
  bool focusedBefore_ = false;
};

class THeadlessWindow : public TCalcWindow {
 public:
  // The standard window, or with scientific the scientific one, which has every key.
  explicit THeadlessWindow(TMemoryClipboard& clipboard, bool scientific = false)
      : field_(clipboard), scientific_(scientific) {}

  std::string DisplayText() const override { return display_; }
  void SetDisplayText(const std::string& text) override { display_ = text; }
  TTextField& HiddenField() override { return field_; }
  bool HasKey(const TCalculatorKey& key) const override {
    return scientific_ || key.Windows == TKeyWindows::Both;
  }
  TMemoryTextField& Field() { return field_; }

 private:
  std::string display_ = "0";  // the display label's initial caption
  TMemoryTextField field_;
  bool scientific_;
};

}  // namespace numora
