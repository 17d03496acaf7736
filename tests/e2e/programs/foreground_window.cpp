// foreground_window.exe: a top-level window that takes the foreground and
// records the system commands it receives, for the window-action keys; with
// another class and title it stands in for the calculator or the desktop.
//
// Command line: --boxes none|max|min|both --log <file> [--class <name>]
//               [--title <text>] [--child <class>] [--keys yes]
// --child gives the window a child of that class, as the frame of a store app
// holds the app's own window.
// Appends one line per WM_SYSCOMMAND to the log file, written at once:
//   syscommand 0xF030
// (wParam with its low four bits cleared, as the system defines them), then
// passes the command on to the default handling, so that the window really
// is maximized, minimized, restored or closed. A WM_COMMAND gives a line
//   command 0xA065
// (the low word of wParam). With --keys yes, keys give lines such as
//   keydown 0xB3 marked
//   keyup 0x68 unmarked
// (the virtual-key code; "marked" when the input carries the mark Keytide
// puts on its own presses), and WM_APPCOMMAND a line "appcommand 14" (the
// command). It ends when the window is destroyed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/ProgramStarter.h"

namespace {

HANDLE gLog = INVALID_HANDLE_VALUE;
// Off by default: the keypad keys' releases reach the window too.
bool gKeys = false;

void writeLine(const char* format, unsigned value) {
  char line[40];
  const int length = std::snprintf(line, sizeof line, format, value);
  DWORD written = 0;
  WriteFile(gLog, line, static_cast<DWORD>(length), &written, nullptr);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      writeLine("syscommand 0x%04X\r\n", static_cast<unsigned>(wParam & 0xFFF0));
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
      writeLine("command 0x%04X\r\n", LOWORD(wParam));
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      if (!gKeys) return DefWindowProcA(window, message, wParam, lParam);
      const bool marked = static_cast<unsigned long>(GetMessageExtraInfo()) == keytide::platform::kOwnInputMark;
      const char* format = message == WM_KEYDOWN ? (marked ? "keydown 0x%02X marked\r\n" : "keydown 0x%02X unmarked\r\n")
                                                 : (marked ? "keyup 0x%02X marked\r\n" : "keyup 0x%02X unmarked\r\n");
      writeLine(format, static_cast<unsigned>(wParam));
      return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_APPCOMMAND:
      writeLine("appcommand %u\r\n", GET_APPCOMMAND_LPARAM(lParam));
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string boxes = "both";
  std::string logPath = "foreground_window.log";
  std::string className = "KeytideForegroundTest";
  std::string title = "Foreground test window";
  std::string childClass;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--boxes") boxes = argv[i + 1];
    if (option == "--log") logPath = argv[i + 1];
    if (option == "--class") className = argv[i + 1];
    if (option == "--title") title = argv[i + 1];
    if (option == "--child") childClass = argv[i + 1];
    if (option == "--keys") gKeys = std::string(argv[i + 1]) == "yes";
  }
  gLog = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gLog == INVALID_HANDLE_VALUE) return 1;

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  if (boxes == "max" || boxes == "both") style |= WS_MAXIMIZEBOX;
  if (boxes == "min" || boxes == "both") style |= WS_MINIMIZEBOX;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = className.c_str();
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, title.c_str(), style, 100, 100, 400, 300,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  if (!childClass.empty()) {
    WNDCLASSA child{};
    child.lpfnWndProc = DefWindowProcA;
    child.hInstance = windowClass.hInstance;
    child.lpszClassName = childClass.c_str();
    if (!RegisterClassA(&child) || !CreateWindowExA(0, child.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                                    window, nullptr, child.hInstance, nullptr))
      return 1;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  CloseHandle(gLog);
  return 0;
}
