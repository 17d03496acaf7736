// Per-test context and the started programs: scratch folder, start, stop and
// the clean-up that keeps one test's programs away from the next test.
#include <windows.h>
// windows.h first: tlhelp32.h depends on it.
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdio>
#include <map>
#include <set>

#include "Driver.h"
#include "model/Names.h"

namespace ktd::e2e {
namespace {

std::string baseName(const char* file) {
  std::string name = file ? file : "?";
  auto slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string exitText(DWORD code) {
  char text[48];
  std::snprintf(text, sizeof text, "%lu (0x%08lX)", code, code);
  return text;
}

// The driver's environment with additions/replacements, as a sorted ANSI
// environment block for CreateProcessA.
std::vector<char> environmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
  std::map<std::string, std::string> upperToEntry;  // key: upper-case name
  auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  if (LPCH strings = GetEnvironmentStringsA()) {
    for (LPCH p = strings; *p; p += std::strlen(p) + 1) {
      std::string entry = p;
      // Names may begin with '=' (the per-drive current directories).
      size_t eq = entry.find('=', 1);
      if (eq == std::string::npos) continue;
      upperToEntry[upper(entry.substr(0, eq))] = entry;
    }
    FreeEnvironmentStringsA(strings);
  }
  for (const auto& [name, value] : changes) upperToEntry[upper(name)] = name + "=" + value;
  std::vector<char> block;
  for (const auto& [key, entry] : upperToEntry) {
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back('\0');
  }
  block.push_back('\0');
  return block;
}

std::optional<ULONGLONG> startTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

}  // namespace

// ---------------------------------------------------------------------------
// LaunchedPrograms

LaunchedPrograms::LaunchedPrograms(const std::set<DWORD>& roots) {
  std::multimap<DWORD, DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID != entry.th32ParentProcessID)
      children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
  CloseHandle(snapshot);
  // A process keeps the id of the parent it had, and ids are handed out
  // again once their process has gone: the program that gets the id of a
  // parent that ended long ago (explorer.exe's, services.exe's) is not the
  // parent of that parent's children. A child starts after its parent.
  struct Started {
    DWORD pid;
    ULONGLONG at;
  };
  std::vector<Started> pending;
  for (DWORD root : roots) {
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, root)) {
      if (auto at = startTime(process)) pending.push_back({root, *at});
      CloseHandle(process);
    }
  }
  std::set<DWORD> seen = roots;
  while (!pending.empty()) {
    const Started parent = pending.back();
    pending.pop_back();
    auto [first, last] = children.equal_range(parent.pid);
    for (auto it = first; it != last; ++it) {
      const DWORD pid = it->second;
      if (seen.count(pid)) continue;
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
      if (process == nullptr) continue;
      const std::optional<ULONGLONG> at = startTime(process);
      if (!at || *at < parent.at) {
        CloseHandle(process);
        continue;
      }
      seen.insert(pid);
      processes_.push_back(process);
      pending.push_back({pid, *at});
    }
  }
}

LaunchedPrograms::~LaunchedPrograms() {
  for (HANDLE process : processes_) CloseHandle(process);
}

void LaunchedPrograms::end(Ms waitEach) {
  for (HANDLE process : processes_) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, static_cast<DWORD>(waitEach.count()));
  }
}

// ---------------------------------------------------------------------------
// KeytideProcess

KeytideProcess::KeytideProcess(TestContext& owner, PROCESS_INFORMATION info, std::string exe)
    : owner_(owner), process_(info.hProcess), pid_(info.dwProcessId), exe_(std::move(exe)) {
  CloseHandle(info.hThread);
}

KeytideProcess::~KeytideProcess() { CloseHandle(process_); }

bool KeytideProcess::running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

HWND KeytideProcess::mainWindow() const {
  auto found = findWindows(pid_, keytide::names::kEditorWindowClass, keytide::names::kEditorWindowTitle);
  return found.empty() ? nullptr : found.front();
}

HWND KeytideProcess::programWindow() const { return window(keytide::names::kTrayWindowClass); }

std::vector<HWND> KeytideProcess::windows(const char* windowClass) const { return findWindows(pid_, windowClass); }

HWND KeytideProcess::window(const char* windowClass) const {
  auto found = windows(windowClass);
  return found.empty() ? nullptr : found.front();
}

bool KeytideProcess::waitForWindows(std::optional<Ms> timeout) const {
  bool ok = waitUntil([&] { return !running() || (mainWindow() && programWindow()); },
                      timeout ? *timeout : owner_.timeout());
  return ok && running();
}

std::optional<DWORD> KeytideProcess::waitExit(std::optional<Ms> timeout) const {
  // Wait in slices so that the driver's own queue is drained meanwhile.
  if (!waitUntil([&] { return !running(); }, timeout ? *timeout : owner_.timeout())) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::optional<DWORD> KeytideProcess::close(std::optional<Ms> timeout, std::source_location where) {
  const Ms limit = timeout ? *timeout : owner_.timeout();
  if (!running()) {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    owner_.fail("close: the program had already ended, exit code " + exitText(code), where);
    return std::nullopt;
  }
  HWND program = programWindow();
  if (!program) {
    owner_.fail("close: the program has no program window to close; terminated it", where);
    kill();
    return std::nullopt;
  }
  if (!PostMessageA(program, WM_CLOSE, 0, 0)) {
    owner_.fail("close: PostMessage(WM_CLOSE) failed, error " + std::to_string(GetLastError()), where);
  }
  if (auto code = waitExit(limit)) return code;
  std::string shown;
  for (HWND window : visibleWindows(pid_)) {
    shown += "; visible: " + describeWindow(window);
    if (windowClassName(window) == "#32770") shown += " saying " + quoted(dialogText(window));
  }
  owner_.fail("close: the program did not end within " + std::to_string(limit.count()) +
                  " ms of WM_CLOSE; terminated it" + shown,
              where);
  kill();
  return std::nullopt;
}

void KeytideProcess::kill() {
  if (running()) TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 5000);
}

// ---------------------------------------------------------------------------
// TestContext

TestContext::TestContext(const Config& config, std::string name, std::string dir)
    : config_(config), name_(std::move(name)), dir_(std::move(dir)) {}

TestContext::~TestContext() = default;

std::string TestContext::path(const std::string& relative) const { return dir_ + "\\" + relative; }

void TestContext::write(const std::string& relative, const std::string& content, std::source_location where) {
  if (!writeFile(path(relative), content)) abort("cannot write " + path(relative), where);
}

std::optional<std::string> TestContext::read(const std::string& relative) const { return readFile(path(relative)); }

std::string TestContext::installKeytide(const std::string& relative, std::source_location where) {
  std::string target = path(relative);
  if (!copyFile(config_.keytideExe, target))
    abort("cannot copy " + config_.keytideExe + " to " + target + ", error " + std::to_string(GetLastError()), where);
  return target;
}

std::string TestContext::installMarker(const std::string& relative, std::source_location where) {
  std::string target = path(relative);
  if (!copyFile(config_.markerExe, target))
    abort("cannot copy " + config_.markerExe + " to " + target + ", error " + std::to_string(GetLastError()), where);
  return target;
}

std::string TestContext::data(const std::string& relative) const { return config_.dataDir + "\\" + relative; }

std::string TestContext::dataText(const std::string& relative, std::source_location where) {
  auto text = readFile(data(relative));
  if (!text) abort("cannot read the expected file " + data(relative), where);
  return *text;
}

KeytideProcess& TestContext::start(StartOptions options, std::source_location where) {
  if (options.exe.empty()) {
    options.exe = path("keytide.exe");
    if (!fileExists(options.exe)) installKeytide("keytide.exe", where);
  }
  const std::string name = baseName(options.exe.c_str());
  if (_stricmp(name.c_str(), "keytide.exe") == 0) putLockKeysOff();
  if (options.workDir.empty()) options.workDir = folderOf(options.exe);
  bool markerSet = std::any_of(options.env.begin(), options.env.end(),
                               [](const auto& e) { return _stricmp(e.first.c_str(), "KEYTIDE_MARKER_LOG") == 0; });
  if (!markerSet) options.env.emplace_back("KEYTIDE_MARKER_LOG", markerLog());
  std::vector<char> environment = environmentBlock(options.env);
  std::string commandLine = "\"" + options.exe + "\"" + (options.args.empty() ? "" : " " + options.args);
  std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
  mutableCommandLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(options.exe.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                      environment.data(), options.workDir.c_str(), &startup, &info))
    abort("cannot start " + commandLine + ", error " + std::to_string(GetLastError()), where);
  processes_.push_back(std::make_unique<KeytideProcess>(*this, info, options.exe));
  KeytideProcess& process = *processes_.back();
  if (options.waitForWindows && !process.waitForWindows()) {
    std::string state;
    if (process.running()) {
      state = "still running without them";
    } else {
      DWORD code = 0;
      GetExitCodeProcess(process.handle(), &code);
      state = "ended with exit code " + exitText(code);
    }
    abort("the program did not show its application and main windows within " + std::to_string(timeout().count()) +
              " ms; " + state,
          where);
  }
  return process;
}

KeytideProcess& TestContext::adopt(PROCESS_INFORMATION info, std::string exe) {
  processes_.push_back(std::make_unique<KeytideProcess>(*this, info, std::move(exe)));
  return *processes_.back();
}

void TestContext::fail(const std::string& message, const char* file, int line) {
  std::string where = baseName(file);
  if (line > 0) {
    where += ':';
    where += std::to_string(line);
  }
  where += ": ";
  where += message;
  failures_.push_back(where);
}

void TestContext::fail(const std::string& message, const std::source_location& where) {
  fail(message, where.file_name(), static_cast<int>(where.line()));
}

void TestContext::abort(const std::string& message, const char* file, int line) {
  fail(message, file, line);
  throw TestAborted{};
}

void TestContext::abort(const std::string& message, const std::source_location& where) {
  abort(message, where.file_name(), static_cast<int>(where.line()));
}

void TestContext::tearDown() {
  std::set<DWORD> roots;
  for (const auto& process : processes_) roots.insert(process->pid());
  LaunchedPrograms launched(roots);
  for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
    KeytideProcess& process = **it;
    if (!process.running()) continue;
    if (process.programWindow()) {
      process.close();  // records a failure if it hangs
    } else {
      process.kill();
    }
  }
  launched.end(Ms{5000});
  // The next test must not meet a window of this one (a second copy would
  // take it for a running copy and end).
  bool gone = waitUntil(
      [&] {
        for (DWORD pid : roots)
          if (!findWindows(pid, keytide::names::kEditorWindowClass).empty()) return false;
        return true;
      },
      timeout());
  if (!gone) fail("clean-up: a started program's editor window outlived its process", __FILE__, __LINE__);
}

}  // namespace ktd::e2e
