// Observation and input helpers of the end-to-end driver: waiting, windows,
// keys, hot keys, files, registry and the marker log.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "Driver.h"

namespace ktd::e2e {
namespace {

Ms resolve(std::optional<Ms> timeout) { return timeout ? *timeout : currentTest().timeout(); }

// Drops messages that reach the driver's thread (hot-key probes may leave a
// WM_HOTKEY behind when a key is pressed during the probe).
void drainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

std::string lastErrorText(DWORD code) {
  char* buffer = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = buffer ? buffer : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return std::to_string(code) + (text.empty() ? "" : " (" + text + ")");
}

}  // namespace

std::string quoted(const std::string& text) {
  constexpr size_t kShown = 160;  // longer texts are cut, with their size told
  std::string out = "\"";
  for (unsigned char c : text.substr(0, kShown)) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  if (text.size() > kShown) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

// ---------------------------------------------------------------------------
// Waiting

bool waitUntil(const std::function<bool()>& pred, std::optional<Ms> timeout) {
  const auto deadline = std::chrono::steady_clock::now() + resolve(timeout);
  for (;;) {
    if (pred()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return pred();
    drainMessages();
    Sleep(25);
  }
}

void pause(Ms duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end) {
    drainMessages();
    Sleep(25);
  }
}

// ---------------------------------------------------------------------------
// Windows

namespace {
struct EnumState {
  DWORD pid;
  const char* windowClass;
  const char* title;
  bool onlyVisible;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != state->pid) return TRUE;
  if (state->windowClass && _stricmp(windowClassName(window).c_str(), state->windowClass) != 0) return TRUE;
  if (state->title && windowText(window) != state->title) return TRUE;
  if (state->onlyVisible && !IsWindowVisible(window)) return TRUE;
  state->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> findWindows(DWORD pid, const char* windowClass, const char* title) {
  EnumState state{pid, windowClass, title, false, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND waitForWindow(DWORD pid, const char* windowClass, const char* title, std::optional<Ms> timeout) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        auto windows = findWindows(pid, windowClass, title);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

std::vector<HWND> visibleWindows(DWORD pid) {
  EnumState state{pid, nullptr, nullptr, true, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

std::vector<HWND> taskbarWindows(DWORD pid) {
  std::vector<HWND> found;
  for (HWND window : visibleWindows(pid)) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool owned = GetWindow(window, GW_OWNER) != nullptr;
    if ((style & WS_EX_APPWINDOW) != 0 || (!owned && (style & WS_EX_TOOLWINDOW) == 0)) found.push_back(window);
  }
  return found;
}

std::string windowClassName(HWND window) {
  char name[256] = "";
  if (!window || !GetClassNameA(window, name, sizeof name)) return "";
  return name;
}

std::string windowText(HWND window) {
  if (!window) return "";
  // For a window of another process GetWindowText reads the stored caption
  // without sending a message, so a busy program cannot block the driver.
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool isVisible(HWND window) { return window && IsWindowVisible(window); }

bool isTopmost(HWND window) {
  return window && (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

RECT windowRect(HWND window) {
  RECT rect{};
  if (window) GetWindowRect(window, &rect);
  return rect;
}

std::string describeWindow(HWND window) {
  if (!window) return "(no window)";
  RECT r = windowRect(window);
  char text[160];
  std::snprintf(text, sizeof text, " %s (%ld,%ld)-(%ld,%ld)", isVisible(window) ? "visible" : "hidden", r.left,
                r.top, r.right, r.bottom);
  return windowClassName(window) + " " + quoted(windowText(window)) + text;
}

bool isResponsive(HWND window, std::optional<Ms> timeout) {
  if (!window) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(resolve(timeout).count()),
                             &result) != 0;
}

SIZE screenSize() { return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool WindowRegion::contains(int x, int y) const {
  for (const RECT& r : rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

long long WindowRegion::area() const {
  long long total = 0;
  for (const RECT& r : rects) total += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
  return total;
}

WindowRegion windowRegion(HWND window) {
  WindowRegion region;
  if (!window) return region;
  HRGN handle = CreateRectRgn(0, 0, 0, 0);
  region.type = GetWindowRgn(window, handle);
  if (region.type != ERROR) {
    region.present = true;
    GetRgnBox(handle, &region.box);
    DWORD size = GetRegionData(handle, 0, nullptr);
    std::vector<char> buffer(size);
    if (size && GetRegionData(handle, size, reinterpret_cast<RGNDATA*>(buffer.data())) == size) {
      const auto* data = reinterpret_cast<const RGNDATA*>(buffer.data());
      const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
      region.rects.assign(rects, rects + data->rdh.nCount);
    }
  }
  DeleteObject(handle);
  return region;
}

namespace {
BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<std::string>*>(param);
  if (_stricmp(windowClassName(child).c_str(), "Static") != 0) return TRUE;
  char text[2048] = "";
  DWORD_PTR copied = 0;
  // WM_GETTEXT, not GetWindowText: a control of another process.
  if (SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                          &copied) &&
      text[0])
    texts->push_back(text);
  return TRUE;
}
}  // namespace

std::string dialogText(HWND dialog) {
  std::vector<std::string> texts;
  if (dialog) EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts));
  std::string joined;
  for (const auto& text : texts) joined += (joined.empty() ? "" : "\n") + text;
  return joined;
}

bool answerDialog(HWND dialog, int buttonId) {
  return dialog && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

// ---------------------------------------------------------------------------
// Keys

bool isExtendedKey(WORD vk) {
  switch (vk) {
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_SNAPSHOT:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

namespace {
INPUT keyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

bool send(std::vector<INPUT> inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}
}  // namespace

bool keyDown(WORD vk) { return send({keyInput(vk, false)}); }
bool keyUp(WORD vk) { return send({keyInput(vk, true)}); }
bool pressKey(WORD vk) { return send({keyInput(vk, false), keyInput(vk, true)}); }

bool pressChord(const std::vector<WORD>& vks) {
  std::vector<INPUT> inputs;
  for (WORD vk : vks) inputs.push_back(keyInput(vk, false));
  for (auto it = vks.rbegin(); it != vks.rend(); ++it) inputs.push_back(keyInput(*it, true));
  return send(inputs);
}

void putLockKeysOff() {
  for (const WORD vk : {WORD{VK_NUMLOCK}, WORD{VK_SCROLL}}) {
    drainMessages();
    if ((GetKeyState(vk) & 1) == 0 || !hotKeyFree(vk)) continue;
    pressKey(vk);
    if (!waitUntil([vk] {
          drainMessages();
          return (GetKeyState(vk) & 1) == 0;
        }))
      currentTest().fail("cannot switch lock key " + std::to_string(vk) + " off", __FILE__, __LINE__);
  }
}

// ---------------------------------------------------------------------------
// Hot keys

bool hotKeyFree(UINT vk, UINT modifiers, std::source_location where) {
  static int nextId = 0xB000;  // ids 0x0000-0xBFFF belong to applications
  const int id = nextId;
  nextId = nextId >= 0xBFFF ? 0xB000 : nextId + 1;
  if (RegisterHotKey(nullptr, id, modifiers, vk)) {
    UnregisterHotKey(nullptr, id);
    drainMessages();
    return true;
  }
  DWORD error = GetLastError();
  if (error != ERROR_HOTKEY_ALREADY_REGISTERED)
    currentTest().fail("RegisterHotKey(" + std::to_string(vk) + ") probe failed with error " + lastErrorText(error),
                       where);
  return false;
}

bool waitHotKey(UINT vk, bool held, std::optional<Ms> timeout, UINT modifiers, std::source_location where) {
  return waitUntil([&] { return hotKeyFree(vk, modifiers, where) != held; }, timeout);
}

// ---------------------------------------------------------------------------
// Files

std::optional<std::string> readFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return content;
}

bool writeFile(const std::string& path, const std::string& content) {
  makeDirs(folderOf(path));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = content.empty() ||
            (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
             written == content.size());
  return CloseHandle(file) && ok;
}

bool fileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool deleteFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool copyFile(const std::string& from, const std::string& to) {
  makeDirs(folderOf(to));
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string folderOf(const std::string& path) {
  auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool makeDirs(const std::string& path) {
  if (path.empty()) return true;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  std::string parent = folderOf(path);
  if (!parent.empty() && parent != path && parent.back() != ':' && !makeDirs(parent)) return false;
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool removeTree(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return deleteFile(path);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  bool ok = true;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      ok = removeTree(path + "\\" + name) && ok;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return RemoveDirectoryA(path.c_str()) && ok;
}

std::optional<std::string> waitForFile(const std::string& path,
                                       const std::function<bool(const std::string&)>& pred,
                                       std::optional<Ms> timeout) {
  std::optional<std::string> content;
  bool ok = waitUntil(
      [&] {
        content = readFile(path);
        return content && pred(*content);
      },
      timeout);
  return ok ? content : std::nullopt;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : ", ") + line;
  return "[" + text + "]";
}

ForegroundTestWindow startForegroundTestWindow(TestContext& t, const std::string& args) {
  KeytideProcess& process = t.start({.exe = folderOf(t.config().markerExe) + "\\foreground_window.exe",
                                     .args = args,
                                     .workDir = t.dir(),
                                     .waitForWindows = false});
  HWND window = waitForWindow(process.pid(), "KeytideForegroundTest");
  REQUIRE_MSG(window != nullptr, "the test window did not appear");
  if (!waitUntil([&] { return GetForegroundWindow() == window; }, Ms{3000})) SetForegroundWindow(window);
  REQUIRE_MSG(waitUntil([&] { return GetForegroundWindow() == window; }),
              "the test window is not in the foreground: " + describeWindow(GetForegroundWindow()));
  return {&process, window};
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  auto expectedLines = splitLines(expected);
  auto actualLines = splitLines(actual);
  std::string text = std::to_string(actual.size()) + " bytes in " + std::to_string(actualLines.size()) +
                     " CR LF lines, expected " + std::to_string(expected.size()) + " bytes in " +
                     std::to_string(expectedLines.size());
  size_t count = std::min(expectedLines.size(), actualLines.size());
  for (size_t i = 0; i < count; ++i) {
    if (expectedLines[i] != actualLines[i])
      return text + "; line " + std::to_string(i + 1) + " is " + quoted(actualLines[i]) + ", expected " +
             quoted(expectedLines[i]);
  }
  if (expectedLines.size() != actualLines.size()) {
    size_t i = count;
    return text + "; line " + std::to_string(i + 1) + " is " +
           (i < actualLines.size() ? quoted(actualLines[i]) : "missing") + ", expected " +
           (i < expectedLines.size() ? quoted(expectedLines[i]) : "none");
  }
  return text + "; the lines agree, the line ends differ";
}

// ---------------------------------------------------------------------------
// Registry

std::optional<std::string> regReadString(HKEY root, const std::string& key, const std::string& value) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &handle) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::string> result;
  if (RegQueryValueExA(handle, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::string data(size, '\0');
    if (RegQueryValueExA(handle, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS) {
      data.resize(size);
      while (!data.empty() && data.back() == '\0') data.pop_back();
      result = data;
    }
  }
  RegCloseKey(handle);
  return result;
}

std::optional<DWORD> regReadDword(HKEY root, const std::string& key, const std::string& value) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &handle) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, data = 0, size = sizeof data;
  LONG status = RegQueryValueExA(handle, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return data;
}

bool regWriteString(HKEY root, const std::string& key, const std::string& value, const std::string& data) {
  HKEY handle;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExA(handle, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

bool regDeleteValue(HKEY root, const std::string& key, const std::string& value) {
  HKEY handle;
  LONG status = RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &handle);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  status = RegDeleteValueA(handle, value.c_str());
  RegCloseKey(handle);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// ---------------------------------------------------------------------------
// Marker log

std::vector<MarkerRun> readMarkerLog(const std::string& path) {
  std::vector<MarkerRun> runs;
  auto content = readFile(path);
  if (!content) return runs;
  for (const std::string& line : splitLines(*content)) {
    // argc=N<TAB>cwd=DIR<TAB>cmdline=REST (the command line may hold tabs)
    size_t tab1 = line.find('\t');
    size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (line.rfind("argc=", 0) != 0 || tab2 == std::string::npos) continue;
    MarkerRun run;
    run.argc = std::atoi(line.substr(5, tab1 - 5).c_str());
    std::string cwd = line.substr(tab1 + 1, tab2 - tab1 - 1);
    std::string cmd = line.substr(tab2 + 1);
    if (cwd.rfind("cwd=", 0) != 0 || cmd.rfind("cmdline=", 0) != 0) continue;
    run.cwd = cwd.substr(4);
    run.commandLine = cmd.substr(8);
    runs.push_back(run);
  }
  return runs;
}

std::optional<std::vector<MarkerRun>> waitForMarkerRuns(const std::string& path, size_t count,
                                                        std::optional<Ms> timeout) {
  std::vector<MarkerRun> runs;
  if (!waitUntil(
          [&] {
            runs = readMarkerLog(path);
            return runs.size() >= count;
          },
          timeout))
    return std::nullopt;
  return runs;
}

}  // namespace ktd::e2e
