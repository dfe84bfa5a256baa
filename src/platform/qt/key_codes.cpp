#include "platform/qt/key_codes.h"

#include "platform/toolkit.h"

#include <cstddef>
#include <utility>

namespace ostrivel {
namespace {

// Keys whose number does not follow from their Qt value. Characters typed
// with Shift on a US layout share the number of their key.
constexpr std::pair<int, int> namedKeys[] = {
    {Qt::Key_Return, keyEnter},
    {Qt::Key_Enter, keyEnter},
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

// The keypad's operators have numbers of their own.
constexpr std::pair<int, int> keypadOperators[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},   {Qt::Key_Comma, 108},
    {Qt::Key_Minus, 109},    {Qt::Key_Period, 110}, {Qt::Key_Slash, 111},
};

template <std::size_t N> int lookUp(const std::pair<int, int> (&table)[N], int qtKey) {
  for (const auto& [key, code] : table) {
    if (key == qtKey) {
      return code;
    }
  }
  return 0;
}

} // namespace

int keyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
    return qtKey; // Qt numbers these as ASCII, as Windows does
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    return 112 + (qtKey - Qt::Key_F1);
  }
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const int code = lookUp(keypadOperators, qtKey); code != 0) {
      return code;
    }
  }
  return lookUp(namedKeys, qtKey);
}

int modifierFlags(Qt::KeyboardModifiers modifiers) {
  int flags = 0;
  if (modifiers.testFlag(Qt::ControlModifier)) {
    flags |= modifierCtrl;
  }
  if (modifiers.testFlag(Qt::ShiftModifier)) {
    flags |= modifierShift;
  }
  if (modifiers.testFlag(Qt::AltModifier)) {
    flags |= modifierAlt;
  }
  return flags;
}

} // namespace ostrivel
