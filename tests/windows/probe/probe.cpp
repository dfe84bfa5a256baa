// Reads what the program's window shows, through the Win32 API, for the
// black-box tests. Prints JSON lines on stdout.
//
//   probe state        one line: the window, its controls, the focus and any
//                      open message box ({"window": null} when there is none)
//   probe watch MS     a line whenever that changes, for MS milliseconds,
//                      then {"end": true}
//   probe shot FILE    the window's screen area as a 24-bit BMP, for a look
//                      at a failed test

#include "platform/win32/wide_text.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

using ostrivel::win32::toUtf8;

// The pieces joined; appending avoids a false -Wrestrict of GCC 12 on long
// chains of operator+.
std::string cat(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (const std::string_view piece : pieces) {
    out.append(piece);
  }
  return out;
}

std::string quoted(const std::wstring& text) {
  std::string out = "\"";
  for (const char c : toUtf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string rectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return cat({"[", std::to_string(rect.left), ",", std::to_string(rect.top), ",",
              std::to_string(rect.right), ",", std::to_string(rect.bottom), "]"});
}

// Another process's control text: WM_GETTEXT crosses processes, while
// GetWindowTextW does not for edit boxes.
std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) == 0) {
    return L"<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 1000, &copied);
  text.resize(copied);
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

struct Search {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK findMessageBox(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  if (::GetWindowThreadProcessId(window, nullptr) == search->thread &&
      ::IsWindowVisible(window) != FALSE && classOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string messageBoxState(HWND box) {
  std::string text = "\"\"";
  std::string ok = "null";
  bool icon = false;
  for (HWND child : childrenOf(box)) {
    const std::wstring kind = classOf(child);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      DWORD_PTR handle = 0;
      ::SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &handle);
      icon = icon || (handle != 0 && ::IsWindowVisible(child) != FALSE);
    } else if (kind == L"Static" && !textOf(child).empty()) {
      text = quoted(textOf(child));
    } else if (kind == L"Button" && ::IsWindowVisible(child) != FALSE) {
      ok = rectOf(child);
    }
  }
  return cat({"{\"caption\":", quoted(textOf(box)), ",\"text\":", text, ",\"ok\":", ok,
              ",\"icon\":", icon ? "true" : "false", ",\"rect\":", rectOf(box), "}"});
}

std::string state() {
  const HWND window = ::FindWindowW(nullptr, L"Ostrivel");
  if (window == nullptr) {
    return "{\"window\":null}";
  }
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ::GetGUIThreadInfo(thread, &gui);

  RECT client{};
  ::GetClientRect(window, &client);
  std::string out =
      cat({"{\"window\":{\"title\":", quoted(textOf(window)), ",\"rect\":", rectOf(window),
           ",\"client\":[", std::to_string(client.right), ",", std::to_string(client.bottom),
           "],\"style\":", std::to_string(::GetWindowLongW(window, GWL_STYLE)),
           ",\"enabled\":", ::IsWindowEnabled(window) ? "true" : "false",
           ",\"active\":", gui.hwndActive == window ? "true" : "false", "},\"controls\":["});
  int focus = gui.hwndFocus == window ? -2 : -1;
  const std::vector<HWND> controls = childrenOf(window);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const HWND control = controls[i];
    if (control == gui.hwndFocus) {
      focus = static_cast<int>(i);
    }
    out += cat({i == 0 ? "" : ",", "{\"class\":", quoted(classOf(control)),
                ",\"text\":", quoted(textOf(control)),
                ",\"enabled\":", ::IsWindowEnabled(control) ? "true" : "false", ",\"visible\":",
                ::IsWindowVisible(control) ? "true" : "false", ",\"rect\":", rectOf(control), "}"});
  }
  out += cat({"],\"focus\":", std::to_string(focus)});
  Search search{thread, nullptr};
  ::EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&search));
  out += cat({",\"message\":", search.found ? messageBoxState(search.found) : "null", "}"});
  return out;
}

void printLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool saveScreenshot(const wchar_t* path) {
  const HWND window = ::FindWindowW(nullptr, L"Ostrivel");
  if (window == nullptr) {
    return false;
  }
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ::SelectObject(memory, previous);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const auto rowBytes = static_cast<std::size_t>((width * 3 + 3) / 4 * 4);
  std::vector<char> pixels(rowBytes * static_cast<std::size_t>(height));
  ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER header{};
  header.bfType = 0x4d42; // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = static_cast<DWORD>(header.bfOffBits + pixels.size());
  FILE* file = ::_wfopen(path, L"wb");
  if (file == nullptr) {
    return false;
  }
  std::fwrite(&header, sizeof header, 1, file);
  std::fwrite(&info, sizeof info, 1, file);
  std::fwrite(pixels.data(), 1, pixels.size(), file);
  std::fclose(file);
  return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state") {
    printLine(state());
    return 0;
  }
  if (command == L"watch" && argc > 2) {
    const ULONGLONG start = ::GetTickCount64();
    const ULONGLONG duration = std::wcstoull(argv[2], nullptr, 10);
    std::string last;
    for (ULONGLONG now = start; now - start < duration; now = ::GetTickCount64()) {
      std::string current = state();
      if (current != last) {
        printLine(cat({"{\"t\":", std::to_string(now - start), ",\"state\":", current, "}"}));
        last = std::move(current);
      }
      ::Sleep(5);
    }
    printLine("{\"end\":true}");
    return 0;
  }
  if (command == L"shot" && argc > 2) {
    return saveScreenshot(argv[2]) ? 0 : 1;
  }
  std::fputs("usage: probe state | probe watch MILLISECONDS | probe shot FILE\n", stderr);
  return 2;
}
