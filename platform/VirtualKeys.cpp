#include "VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace numora {
namespace {

// With NumLock off the keypad's keys are navigation keys to the desktop; here they keep the
// digit or the decimal point printed on them: a keypad is for numbers.
struct TKeypadFace {
  int Key;
  std::uint16_t Code;
  char Face;
};
constexpr TKeypadFace kKeypadFaces[] = {
    {Qt::Key_Insert, vk::Numpad0, '0'},    {Qt::Key_End, vk::Numpad0 + 1, '1'},
    {Qt::Key_Down, vk::Numpad0 + 2, '2'},  {Qt::Key_PageDown, vk::Numpad0 + 3, '3'},
    {Qt::Key_Left, vk::Numpad0 + 4, '4'},  {Qt::Key_Clear, vk::Numpad0 + 5, '5'},
    {Qt::Key_Right, vk::Numpad0 + 6, '6'}, {Qt::Key_Home, vk::Numpad0 + 7, '7'},
    {Qt::Key_Up, vk::Numpad0 + 8, '8'},    {Qt::Key_PageUp, vk::Numpad0 + 9, '9'},
    {Qt::Key_Delete, vk::Decimal, ','},
};

const TKeypadFace* KeypadFaceOf(const QKeyEvent& event) {
  if (!(event.modifiers() & Qt::KeypadModifier)) return nullptr;
  for (const TKeypadFace& face : kKeypadFaces)
    if (face.Key == event.key()) return &face;
  return nullptr;
}

std::uint16_t KeypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return vk::Multiply;
    case Qt::Key_Plus:
      return vk::Add;
    case Qt::Key_Minus:
      return vk::Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return vk::Decimal;  // the decimal key, whatever the layout prints on it
    case Qt::Key_Slash:
      return vk::Divide;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return vk::Return;
    default:
      return 0;
  }
}

// The digit row read from the X keycode (evdev code + 8), so layouts that need Shift for the
// digits still give the digit's code.
std::uint16_t DigitRowFromScanCode(quint32 scanCode) {
  if (scanCode >= 10 && scanCode <= 18) return vk::Digit0 + 1 + (scanCode - 10);
  if (scanCode == 19) return vk::Digit0;
  return 0;
}

// Without scan codes (offscreen, synthetic events): the shifted digit row of a US layout.
std::uint16_t DigitRowFromShiftedSymbol(int key) {
  switch (key) {
    case Qt::Key_ParenRight:
      return vk::Digit0 + 0;
    case Qt::Key_Exclam:
      return vk::Digit0 + 1;
    case Qt::Key_At:
      return vk::Digit0 + 2;
    case Qt::Key_NumberSign:
      return vk::Digit0 + 3;
    case Qt::Key_Dollar:
      return vk::Digit0 + 4;
    case Qt::Key_Percent:
      return vk::Digit0 + 5;
    case Qt::Key_AsciiCircum:
      return vk::Digit0 + 6;
    case Qt::Key_Ampersand:
      return vk::Digit0 + 7;
    case Qt::Key_Asterisk:
      return vk::Digit0 + 8;
    case Qt::Key_ParenLeft:
      return vk::Digit0 + 9;
    default:
      return 0;
  }
}

std::uint16_t MainKeyboardCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Digit0 + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return vk::A + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::Return;
    case Qt::Key_Shift:
      return vk::Shift;
    case Qt::Key_Control:
      return vk::Control;
    case Qt::Key_Alt:
      return vk::Alt;
    case Qt::Key_Pause:
      return vk::Pause;
    case Qt::Key_CapsLock:
      return vk::CapsLock;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_PageUp:
      return vk::PageUp;
    case Qt::Key_PageDown:
      return vk::PageDown;
    case Qt::Key_End:
      return vk::End;
    case Qt::Key_Home:
      return vk::Home;
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Insert:
      return vk::Insert;
    case Qt::Key_Delete:
      return vk::Delete;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return vk::OemSemicolon;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return vk::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return vk::OemComma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return vk::OemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return vk::OemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return vk::OemSlash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return vk::OemBackquote;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return vk::OemOpenBracket;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return vk::OemBackslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return vk::OemCloseBracket;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return vk::OemQuote;
    default:
      return 0;
  }
}

}  // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
  // Windows too gives the keypad's navigation codes with NumLock off (and marks the keys as
  // the keypad's, as X does), so the faces come first.
  if (const TKeypadFace* face = KeypadFaceOf(event)) return face->Code;
  // Windows hands over the key's own virtual key code: the very codes the table stands for.
  if (QGuiApplication::platformName() == "windows" && event.nativeVirtualKey() != 0) {
    return static_cast<std::uint16_t>(event.nativeVirtualKey());
  }
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (std::uint16_t code = KeypadCode(key)) return code;
    return MainKeyboardCode(key);
  }
  if (QGuiApplication::platformName() == "xcb") {
    if (std::uint16_t code = DigitRowFromScanCode(event.nativeScanCode())) return code;
  } else if (event.modifiers() & Qt::ShiftModifier) {
    if (std::uint16_t code = DigitRowFromShiftedSymbol(key)) return code;
  }
  return MainKeyboardCode(key);
}

TShiftState ShiftStateOf(const QKeyEvent& event) {
  return {.Ctrl = (event.modifiers() & Qt::ControlModifier) != 0,
          .Alt = (event.modifiers() & Qt::AltModifier) != 0};
}

char CharacterOf(const QKeyEvent& event, bool keypadFaces) {
  const int key = event.key();
  const QString text = event.text();
  if (const TKeypadFace* face = KeypadFaceOf(event); face != nullptr && keypadFaces)
    return face->Face;
  if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<char>(key - Qt::Key_A + 1);
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return '\r';
  if (key == Qt::Key_Backspace) return '\b';
  // A dead key types nothing of its own; the circumflex is the calculator's power key.
  if (key == Qt::Key_Dead_Circumflex) return '^';
  if (text.size() == 1 && text[0].unicode() < 128) return static_cast<char>(text[0].unicode());
  return text.isEmpty() ? '\0' : '?';  // a character beyond ASCII: the filter decides
}

}  // namespace numora
