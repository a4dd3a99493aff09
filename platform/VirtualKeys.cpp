#include "VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace numora {
namespace {

std::uint16_t KeypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return 106;
    case Qt::Key_Plus:
      return 107;
    case Qt::Key_Minus:
      return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return 110;  // the decimal key, whatever the layout prints on it
    case Qt::Key_Slash:
      return 111;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return 13;
    default:
      return 0;
  }
}

// The digit row read from the X keycode (evdev code + 8), so layouts that need Shift for the
// digits still give the digit's code.
std::uint16_t DigitRowFromScanCode(quint32 scanCode) {
  if (scanCode >= 10 && scanCode <= 18) return 49 + (scanCode - 10);
  if (scanCode == 19) return 48;
  return 0;
}

// Without scan codes (offscreen, synthetic events): the shifted digit row of a US layout.
std::uint16_t DigitRowFromShiftedSymbol(int key) {
  switch (key) {
    case Qt::Key_ParenRight:
      return 48;
    case Qt::Key_Exclam:
      return 49;
    case Qt::Key_At:
      return 50;
    case Qt::Key_NumberSign:
      return 51;
    case Qt::Key_Dollar:
      return 52;
    case Qt::Key_Percent:
      return 53;
    case Qt::Key_AsciiCircum:
      return 54;
    case Qt::Key_Ampersand:
      return 55;
    case Qt::Key_Asterisk:
      return 56;
    case Qt::Key_ParenLeft:
      return 57;
    default:
      return 0;
  }
}

std::uint16_t MainKeyboardCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 48 + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 65 + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 222;
    default:
      return 0;
  }
}

}  // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
  // Windows hands over the key's own virtual key code: the very codes the table stands for.
  if (QGuiApplication::platformName() == "windows" && event.nativeVirtualKey() != 0) {
    return static_cast<std::uint16_t>(event.nativeVirtualKey());
  }
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (std::uint16_t code = KeypadCode(key)) return code;
    return MainKeyboardCode(key);  // Num Lock off: arrows, Home, Insert, Delete
  }
  if (QGuiApplication::platformName() == "xcb") {
    if (std::uint16_t code = DigitRowFromScanCode(event.nativeScanCode())) return code;
  } else if (event.modifiers() & Qt::ShiftModifier) {
    if (std::uint16_t code = DigitRowFromShiftedSymbol(key)) return code;
  }
  return MainKeyboardCode(key);
}

}  // namespace numora
