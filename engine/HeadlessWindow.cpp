#include "HeadlessWindow.h"

#include "Utf8.h"

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

bool TMemoryTextField::PasteFromClipboard() {
  if (!clipboard_.Text || clipboard_.Text->empty()) return false;
  const std::string& all = *clipboard_.Text;
  ReplaceSelection(all.substr(0, all.find_first_of("\r\n")));
  return true;
}

void TMemoryTextField::Focus() {
  if (focusedBefore_) return;
  focusedBefore_ = true;
  SelectAll();
}

void TMemoryTextField::TypeCharacter(char character) {
  if (character == '\t' || character == '\r' || character == '\n') return;
  if (character != '\b') {
    ReplaceSelection(std::string(1, character));
    return;
  }
  if (selectionLength_ > 0) {
    ReplaceSelection("");
  } else if (caret_ > 0) {
    std::string before = text_.substr(0, caret_);
    EraseLastCodePoint(before);
    text_ = before + text_.substr(caret_);
    caret_ = before.size();
    selectionStart_ = caret_;
  }
}

void TMemoryTextField::ReplaceSelection(const std::string& text) {
  const std::size_t at = selectionLength_ > 0 ? selectionStart_ : caret_;
  text_.replace(at, selectionLength_, text);
  caret_ = at + text.size();
  selectionStart_ = caret_;
  selectionLength_ = 0;
}

}  // namespace numora
