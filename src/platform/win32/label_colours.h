#pragma once

// The background of each label, and the brush that paints it.

#include "platform/toolkit.h"

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

namespace ostrivel::win32 {

class LabelColours final {
public:
  void set(Control label, Colour colour);
  // The brush for WM_CTLCOLORSTATIC; the system's button face for
  // defaultColour. Stays valid until the label's colour changes.
  [[nodiscard]] HBRUSH brush(Control label) const;

private:
  struct BrushDeleter {
    void operator()(HBRUSH brush) const { ::DeleteObject(brush); }
  };
  using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

  std::array<OwnedBrush, controlCount> m_brushes{};
};

} // namespace ostrivel::win32
