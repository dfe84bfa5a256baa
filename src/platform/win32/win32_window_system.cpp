#include "platform/win32/win32_window_system.h"

#include "platform/win32/wide_text.h"

#include <commctrl.h>

namespace ostrivel::win32 {

bool Win32WindowSystem::loadWindow(const WindowTemplate& window, ToolkitEvents& events) {
  // The manifest asks for version 6 of the common controls; they take the
  // system's visual style only once the library is initialised.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (!m_window.create(window, events)) {
    m_window.destroy();
    return false;
  }
  events.windowCreated();
  m_window.show();
  return true;
}

void Win32WindowSystem::runEventLoop() {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The field's key-press event comes before the field sees the key.
    m_window.beforeDispatch(message);
    // Tab, Shift+Tab and Esc (as IDCANCEL). Enter becomes an IDOK that
    // nothing handles, so it neither clicks a button nor makes the field beep.
    if (m_window.handle() != nullptr && ::IsDialogMessageW(m_window.handle(), &message) != FALSE) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void Win32WindowSystem::fatalError(std::string_view message) {
  m_window.destroy();
  ::MessageBoxW(nullptr, toWide(message).c_str(), L"错误", MB_OK | MB_ICONERROR);
  ::ExitProcess(static_cast<UINT>(-1));
}

} // namespace ostrivel::win32
