#include "platform/win32/label_colours.h"

namespace ostrivel::win32 {

void LabelColours::set(Control label, Colour colour) {
  // Colour has COLORREF's layout, 0x00BBGGRR.
  m_brushes.at(static_cast<std::size_t>(label))
      .reset(colour == defaultColour ? nullptr : ::CreateSolidBrush(colour));
}

HBRUSH LabelColours::brush(Control label) const {
  const OwnedBrush& own = m_brushes.at(static_cast<std::size_t>(label));
  return own ? own.get() : ::GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace ostrivel::win32
