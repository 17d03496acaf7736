// marker.exe: a stand-in program for the end-to-end tests to point
// assignments at. Each start appends one line to the file named by the
// environment variable KEYTIDE_MARKER_LOG (or marker.log beside this program):
//
//   argc=N<TAB>cwd=<current directory><TAB>cmdline=<GetCommandLineA()>\r\n
//
// N counts the program name too, as C's argc does (CommandLineToArgvW rules).
// Then it exits with code 0 (1 if the line could not be written).
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string logPath() {
  char buffer[MAX_PATH * 4];
  DWORD n = GetEnvironmentVariableA("KEYTIDE_MARKER_LOG", buffer, sizeof buffer);
  if (n > 0 && n < sizeof buffer) return buffer;
  n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  std::string self(buffer, n < sizeof buffer ? n : 0);
  auto slash = self.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) + "marker.log";
}

int argumentCount() {
  int count = 0;
  if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) LocalFree(args);
  return count;
}

std::string currentDirectory() {
  char buffer[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

}  // namespace

int main() {
  const std::string line = "argc=" + std::to_string(argumentCount()) + "\tcwd=" + currentDirectory() +
                           "\tcmdline=" + GetCommandLineA() + "\r\n";
  const std::string path = logPath();
  // Several markers may start at once: append with one write, and retry while
  // another one has the file open without sharing.
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return ok && written == line.size() ? 0 : 1;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION) return 1;
    Sleep(25);
  }
  return 1;
}
