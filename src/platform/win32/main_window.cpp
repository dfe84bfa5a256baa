#include "platform/win32/main_window.h"

#include "platform/win32/control_styles.h"
#include "platform/win32/wide_text.h"

namespace ostrivel::win32 {
namespace {

constexpr wchar_t className[] = L"OstrivelMainWindow";
// Control ids start above IDOK and IDCANCEL, which the dialog keys send.
constexpr int firstControlId = 100;

int controlId(Control control) { return firstControlId + static_cast<int>(control); }

std::size_t indexOf(Control control) { return static_cast<std::size_t>(control); }

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(instance, className, &windowClass) != FALSE) {
    return true;
  }
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, L"DEFAULT_ICON");
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                   ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = className;
  return ::RegisterClassExW(&windowClass) != 0;
}

// The key code of the key-press event: the virtual-key code, with the
// keypad's digits given as the main digit keys.
int keyCodeOf(WPARAM virtualKey) {
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
    return '0' + static_cast<int>(virtualKey - VK_NUMPAD0);
  }
  return static_cast<int>(virtualKey);
}

int currentModifiers() {
  int modifiers = 0;
  if (::GetKeyState(VK_CONTROL) < 0) {
    modifiers |= modifierCtrl;
  }
  if (::GetKeyState(VK_SHIFT) < 0) {
    modifiers |= modifierShift;
  }
  if (::GetKeyState(VK_MENU) < 0) {
    modifiers |= modifierAlt;
  }
  return modifiers;
}

} // namespace

MainWindow::~MainWindow() { destroy(); }

bool MainWindow::create(const WindowTemplate& window, ToolkitEvents& events) {
  m_events = &events;
  m_template = &window;
  if (!registerWindowClass(m_instance, &windowProc)) {
    return false;
  }
  const Point at = centredPosition(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                   window.outerWidth, window.outerHeight);
  // The size given here is the outer size, frame and title bar included.
  // WM_NCCREATE attaches this object to the window.
  if (::CreateWindowExW(0, className, toWide(window.caption).c_str(), windowStyle(window), at.x,
                        at.y, window.outerWidth, window.outerHeight, nullptr, nullptr, m_instance,
                        this) == nullptr) {
    return false;
  }
  return createControls(window);
}

bool MainWindow::createControls(const WindowTemplate& window) {
  const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlTemplate& control : window.controls) {
    const int id = controlId(control.name);
    if (control.kind == ControlKind::timer) {
      m_timers.at(indexOf(control.name)).emplace(m_window, static_cast<UINT_PTR>(id));
      continue;
    }
    const ControlStyle style = controlStyle(control);
    const Geometry& at = control.geometry;
    const HWND child =
        ::CreateWindowExW(style.exStyle, style.className, toWide(control.text).c_str(), style.style,
                          at.left, at.top, at.width, at.height, m_window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    if (child == nullptr) {
      return false;
    }
    ::SendMessageW(child, WM_SETFONT, font, FALSE);
    if (control.visible) {
      ::ShowWindow(child, SW_SHOWNA);
    }
    m_children.at(indexOf(control.name)) = child;
  }
  return true;
}

void MainWindow::show() {
  ::ShowWindow(m_window, SW_SHOWNORMAL);
  ::UpdateWindow(m_window);
}

void MainWindow::destroy() {
  if (m_window != nullptr) {
    ::DestroyWindow(m_window);
  }
}

void MainWindow::beforeDispatch(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
    return;
  }
  const std::optional<Control> field = controlOf(message.hwnd);
  if (field && kindOf(*field) == ControlKind::editBox) {
    m_events->keyPressed(*field, keyCodeOf(message.wParam), currentModifiers());
  }
}

std::string MainWindow::getText(Control control) {
  const HWND child = childOf(control);
  const int length = child != nullptr ? ::GetWindowTextLengthW(child) : 0;
  if (length <= 0) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(child, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return toUtf8(text);
}

void MainWindow::setText(Control control, std::string_view text) {
  if (const HWND child = childOf(control)) {
    ::SetWindowTextW(child, toWide(text).c_str());
  }
}

void MainWindow::setDisabled(Control control, bool disabled) {
  const HWND child = childOf(control);
  if (child == nullptr) {
    return;
  }
  const bool hadFocus = ::GetFocus() == child;
  ::EnableWindow(child, disabled ? FALSE : TRUE);
  if (disabled && m_focus == child) {
    m_focus = nullptr;
  }
  // Disabling the focused control leaves no focus at all, and keys would
  // then reach the window as WM_SYSKEYDOWN, which Esc and Tab ignore. The
  // window itself takes the focus instead.
  if (disabled && hadFocus && isActive()) {
    ::SetFocus(m_window);
  }
}

void MainWindow::setBackgroundColour(Control label, Colour colour) {
  m_labelColours.set(label, colour);
  if (const HWND child = childOf(label)) {
    ::InvalidateRect(child, nullptr, TRUE);
  }
}

void MainWindow::setTimerPeriod(Control timer, int milliseconds) {
  if (std::optional<WindowTimer>& windowTimer = m_timers.at(indexOf(timer))) {
    windowTimer->setPeriod(milliseconds);
  }
}

void MainWindow::setFocus(Control control) {
  const HWND child = childOf(control);
  if (child == nullptr) {
    return;
  }
  m_focus = child;
  // While the window is hidden or inactive, the focus waits for activation.
  if (isActive()) {
    ::SetFocus(child);
  }
}

void MainWindow::showMessage(std::string_view text) {
  // Task-modal with no owner: every window of the program is disabled while
  // the box is open. Its own message loop keeps dispatching WM_TIMER, so the
  // countdown goes on.
  const bool wasActive = isActive();
  ::MessageBoxW(nullptr, toWide(text).c_str(), L"信息：", MB_OK | MB_TASKMODAL);
  // An ownerless box hands the activation to no one in particular when it
  // closes (Wine without a window manager: to nothing). The window it
  // interrupted takes it back, and with it the focus (onActivate).
  if (wasActive && !isActive()) {
    ::SetForegroundWindow(m_window);
  }
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creating = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    static_cast<MainWindow*>(creating)->m_window = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->m_window = nullptr;
    self->m_children.fill(nullptr);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND:
    onCommand(LOWORD(wParam), HIWORD(wParam));
    return 0;
  case WM_CTLCOLORSTATIC:
    if (const HBRUSH brush =
            onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
      return reinterpret_cast<LRESULT>(brush);
    }
    break;
  case WM_TIMER:
    onTimer(wParam);
    return 0;
  case WM_ACTIVATE:
    if (HIWORD(wParam) == 0) { // not minimised
      onActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    }
    break;
  case WM_NEXTDLGCTL:
    onNextDlgCtl(wParam, lParam);
    return 0;
  case WM_DESTROY:
    onDestroy();
    return 0;
  default:
    break;
  }
  return ::DefWindowProcW(m_window, message, wParam, lParam);
}

// A button was clicked, or Esc was pressed (IDCANCEL from IsDialogMessage).
void MainWindow::onCommand(int id, int notification) {
  if (id == IDCANCEL) {
    if (m_template->escCloses) {
      destroy();
    }
    return;
  }
  const std::optional<Control> control = controlOf(::GetDlgItem(m_window, id));
  if (control && notification == BN_CLICKED && kindOf(*control) == ControlKind::button) {
    m_events->clicked(*control);
  }
}

// Labels fill their area with their own colour and draw transparent text.
HBRUSH MainWindow::onCtlColorStatic(HDC dc, HWND child) {
  const std::optional<Control> control = controlOf(child);
  if (!control || kindOf(*control) != ControlKind::label) {
    return nullptr; // a disabled edit box asks too
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 0));
  return m_labelColours.brush(*control);
}

// The periodic event of a timer control, when its grid says a tick is due.
void MainWindow::onTimer(UINT_PTR id) {
  const auto index = static_cast<std::size_t>(static_cast<int>(id) - firstControlId);
  if (index < m_timers.size() && m_timers.at(index) && m_timers.at(index)->takeDueTick()) {
    m_events->timerFired(static_cast<Control>(index));
  }
}

// Keeps the focused control while the window is inactive (a message box is
// open, another program is in front) and gives it the focus back after.
void MainWindow::onActivate(bool active) {
  if (!active) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(m_window, focus) != FALSE) {
      m_focus = focus;
    }
    return;
  }
  const bool usable = m_focus != nullptr && ::IsWindowEnabled(m_focus) != FALSE;
  ::SetFocus(usable ? m_focus : m_window);
}

// Wine's IsDialogMessage moves the focus for Tab by sending WM_NEXTDLGCTL,
// which only a dialog's own procedure understands; Windows moves it itself.
void MainWindow::onNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  HWND next = nullptr;
  if (LOWORD(lParam) != 0) {
    next = reinterpret_cast<HWND>(wParam);
  } else {
    const HWND focus = ::GetFocus();
    const HWND from = ::IsChild(m_window, focus) != FALSE ? focus : nullptr;
    next = ::GetNextDlgTabItem(m_window, from, wParam != 0 ? TRUE : FALSE);
  }
  if (next != nullptr) {
    ::SetFocus(next);
  }
}

// The program ends with its window: no timer outlives it.
void MainWindow::onDestroy() {
  for (std::optional<WindowTimer>& timer : m_timers) {
    if (timer) {
      timer->stop();
    }
  }
  ::PostQuitMessage(0);
}

std::optional<Control> MainWindow::controlOf(HWND child) const {
  if (child == nullptr) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < m_children.size(); ++i) {
    if (m_children.at(i) == child) {
      return static_cast<Control>(i);
    }
  }
  return std::nullopt;
}

HWND MainWindow::childOf(Control control) const { return m_children.at(indexOf(control)); }

ControlKind MainWindow::kindOf(Control control) const {
  const ControlTemplate* entry = findControl(*m_template, control);
  return entry != nullptr ? entry->kind : ControlKind::timer;
}

bool MainWindow::isActive() const { return m_window != nullptr && ::GetActiveWindow() == m_window; }

} // namespace ostrivel::win32
