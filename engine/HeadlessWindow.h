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

// A single-line text field whose owner sets its text and selection; the field itself only
// copies its selection and reads the clipboard.
class TMemoryTextField : public TTextField {
 public:
  explicit TMemoryTextField(TMemoryClipboard& clipboard, std::string text = "0");

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;  // caret at the end, nothing selected
  void SelectAll() override;
  bool WhollySelected() const override;
  void CopyToClipboard() override;
  std::optional<std::string> ClipboardText() const override { return clipboard_.Text; }

  // The field gets the keyboard focus; the first time, its whole text becomes selected.
  void Focus();

  std::size_t Caret() const { return caret_; }
  std::size_t SelectionStart() const { return selectionStart_; }
  std::size_t SelectionLength() const { return selectionLength_; }

 private:
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
