#include "HeadlessWindow.h"

#include <utility>

namespace numora {

TMemoryTextField::TMemoryTextField(TMemoryClipboard& clipboard, std::string text)
    : clipboard_(clipboard), text_(std::move(text)), caret_(text_.size()) {}

void TMemoryTextField::SetText(const std::string& text) {
  text_ = text;
  caret_ = text_.size();
  selectionStart_ = caret_;
  selectionLength_ = 0;
}

void TMemoryTextField::SelectAll() {
  selectionStart_ = 0;
  selectionLength_ = text_.size();
  caret_ = text_.size();
}

void TMemoryTextField::CopyToClipboard() {
  clipboard_.Text = text_.substr(selectionStart_, selectionLength_);
}

bool TMemoryTextField::WhollySelected() const {
  return selectionStart_ == 0 && selectionLength_ == text_.size();
}

void TMemoryTextField::Focus() {
  if (focusedBefore_) return;
  focusedBefore_ = true;
  SelectAll();
}

}  // namespace numora
