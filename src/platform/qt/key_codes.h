#pragma once

// The key code and modifier flags that the key-press event carries, numbered
// as Windows virtual keys: Enter is 13 from either Enter key, the keypad's
// digits give the main digits 48-57, letters 65-90, F1 112. A key without such
// a number (an input method's key, a letter of a non-Latin layout) gives 0.

#include <Qt>

namespace ostrivel {

int keyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// Ctrl 1, Shift 2, Alt 4, or-ed together.
int modifierFlags(Qt::KeyboardModifiers modifiers);

} // namespace ostrivel
