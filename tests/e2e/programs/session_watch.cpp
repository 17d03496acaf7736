// session_watch.exe: a hidden top-level window that refuses to end the
// session and records who asked. For the power keys under Wine, where the
// system's end-session request is carried out by wineboot.exe, which asks the
// windowed programs one by one and gives up at the first refusal.
//
// Command line: --log <file>
// Appends one line per message, written at once:
//   query <lParam> <command lines of the running wineboot.exe processes>
//   end <wParam> <lParam>
// and answers WM_QUERYENDSESSION with FALSE (the session must go on).
#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <string>

namespace {

HANDLE gLog = INVALID_HANDLE_VALUE;

void logLine(const std::string& line) {
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(gLog, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

// Another process's command line, read from its process parameters.
std::string commandLineOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return "?";
  std::string result = "?";
  using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  SIZE_T read = 0;
  if (query && query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) >= 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, &read) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, &read)) {
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (ReadProcessMemory(process, parameters.CommandLine.Buffer, text.data(), parameters.CommandLine.Length, &read))
      result = narrow(text);
  }
  CloseHandle(process);
  return result;
}

std::string wineBootCommandLines() {
  std::string lines;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return lines;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "wineboot.exe") == 0)
      lines += (lines.empty() ? "" : " | ") + commandLineOf(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return lines;
}

LRESULT CALLBACK watchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  char numbers[64];
  switch (message) {
    case WM_QUERYENDSESSION:
      std::snprintf(numbers, sizeof numbers, "0x%lX", static_cast<unsigned long>(lParam));
      logLine(std::string("query ") + numbers + " " + wineBootCommandLines());
      return FALSE;
    case WM_ENDSESSION:
      std::snprintf(numbers, sizeof numbers, "%u 0x%lX", static_cast<unsigned>(wParam),
                    static_cast<unsigned long>(lParam));
      logLine(std::string("end ") + numbers);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string logPath = "session_watch.log";
  for (int i = 1; i + 1 < argc; i += 2)
    if (std::string(argv[i]) == "--log") logPath = argv[i + 1];
  gLog = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gLog == INVALID_HANDLE_VALUE) return 1;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = watchProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KeytideSessionWatch";
  if (!RegisterClassA(&windowClass)) return 1;
  if (!CreateWindowExA(0, windowClass.lpszClassName, "Session watch", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                       windowClass.hInstance, nullptr))
    return 1;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  CloseHandle(gLog);
  return 0;
}
