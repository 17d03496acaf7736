// lock_watch.exe: the Num Lock and Scroll Lock toggle states as another
// program sees them.
//
// Command line: <file>
// Takes its messages all the time (a thread's view of the keyboard is brought
// up to date while it does) and, at the start and whenever a state changes,
// replaces the file with one line
//   num=N scroll=S
// (N and S 0 or 1), written whole to a neighbour and moved over the file. It
// runs until it is ended. Under Wine (8.0) it sees only toggles made after it
// started: start it while both keys are off.
#include <windows.h>

#include <string>

namespace {

bool replaceFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string path = argv[1];
  std::string written;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    const std::string state = "num=" + std::to_string(GetKeyState(VK_NUMLOCK) & 1) +
                              " scroll=" + std::to_string(GetKeyState(VK_SCROLL) & 1) + "\r\n";
    if (state != written && replaceFile(path, state)) written = state;
    Sleep(20);
  }
}
