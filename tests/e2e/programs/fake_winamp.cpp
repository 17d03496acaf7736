// fake_winamp.exe: a stand-in for the Winamp media player. Its main window has
// the player's class "Winamp v1.x"; it answers the player's queries from a
// small state (play state and playlist length) and changes that
// state on the player's commands as the player would.
//
// Every message it receives from outside in the ranges a remote control uses
// (WM_COMMAND, WM_SYSCOMMAND, WM_USER and above) is appended to "player.log"
// beside the program, one line each, written at once:
//   start <command line>            at start-up
//   user <wParam> <lParam>          WM_USER (a query; lParam is the code)
//   command <wParam> <lParam>       WM_COMMAND (a player command)
//   syscommand <wParam> <lParam>    WM_SYSCOMMAND
//   message <msg> <wParam> <lParam> anything else in those ranges
//   mark                            the driver's separator (kMarkMessage)
//   set state|length <n>            the driver's state changes
//
// Command line: [--state 0|1|3] [--length N]   (default: stopped, 3 entries)
// The driver sets the state later with kSetStateMessage / kSetLengthMessage.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT kMarkMessage = WM_APP + 1;
constexpr UINT kSetStateMessage = WM_APP + 2;
constexpr UINT kSetLengthMessage = WM_APP + 3;

HANDLE gLog = INVALID_HANDLE_VALUE;
std::string gFolder;
LRESULT gState = 0;  // 0 stopped, 1 playing, 3 paused
LRESULT gLength = 3;

void logLine(const std::string& line) {
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(gLog, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string number(ULONG_PTR value) { return std::to_string(static_cast<LONG_PTR>(value)); }

LRESULT answer(LPARAM code) {
  switch (code) {
    case 0: return 0x2091;  // version
    case 104: return gState;
    case 105: return 0;  // position in the track, ms
    case 124: return gLength;
    default: return 0;
  }
}

void command(WPARAM id, HWND window) {
  switch (id) {
    case 40045: gState = gLength > 0 ? 1 : 0; break;           // play
    case 40046: gState = gState == 1 ? 3 : gState == 3 ? 1 : gState; break;  // pause / resume
    case 40047: gState = 0; break;                                           // stop
    case 40001: DestroyWindow(window); break;                                // close
    default: break;
  }
}

LRESULT CALLBACK playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_USER:
      logLine("user " + number(wParam) + " " + number(static_cast<ULONG_PTR>(lParam)));
      return answer(lParam);
    case WM_COMMAND:
      logLine("command " + number(wParam) + " " + number(static_cast<ULONG_PTR>(lParam)));
      command(wParam, window);
      return 0;
    case WM_SYSCOMMAND:
      logLine("syscommand " + number(wParam) + " " + number(static_cast<ULONG_PTR>(lParam)));
      return DefWindowProcA(window, message, wParam, lParam);
    case kMarkMessage:
      logLine("mark");
      return 1;
    case kSetStateMessage:
      gState = static_cast<LRESULT>(wParam);
      logLine("set state " + number(wParam));
      return 1;
    case kSetLengthMessage:
      gLength = static_cast<LRESULT>(wParam);
      logLine("set length " + number(wParam));
      return 1;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      if (message >= WM_USER && message <= 0xBFFF)
        logLine("message " + std::to_string(message) + " " + number(wParam) + " " +
                number(static_cast<ULONG_PTR>(lParam)));
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

std::string ownFolder() {
  char buffer[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  std::string self(buffer, n < sizeof buffer ? n : 0);
  return self.substr(0, self.find_last_of("\\/") + 1);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--state") gState = std::atoi(argv[i + 1]);
    if (option == "--length") gLength = std::atoi(argv[i + 1]);
  }
  gFolder = ownFolder();
  gLog = CreateFileA((gFolder + "player.log").c_str(), FILE_APPEND_DATA,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gLog == INVALID_HANDLE_VALUE) return 1;
  logLine(std::string("start ") + GetCommandLineA());

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = playerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "Winamp v1.x";
  if (!RegisterClassA(&windowClass)) return 1;
  // Shown without taking the foreground from the test's windows.
  HWND window = CreateWindowExA(0, "Winamp v1.x", "Winamp 2.91", WS_OVERLAPPEDWINDOW, 0, 0, 275, 116, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  CloseHandle(gLog);
  return 0;
}
