// The power keys seen from outside, without ending anything. Under Wine the
// system's end-session request (ExitWindowsEx) is carried out by starting
// wineboot.exe: "--end-session" for a request without EWX_FORCE ("--kill"
// with it), followed by "--shutdown" unless the request is a restart.
// wineboot then asks every windowed program but the desktop in turn and stops
// at the first one that refuses. session_watch.exe refuses and records the
// wineboot command line, so the request is seen and the test session goes on.
// Log off and shut down give the same command line there; the unit tests
// check which request each key makes. Windows would end the session for
// real, so this test needs Wine.
#include <set>
#include <string>
#include <vector>

#include "Driver.h"

#include <tlhelp32.h>  // after <windows.h>

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kWatchClass[] = "KeytideSessionWatch";

constexpr WORD kLogOffKey = VK_NUMPAD7;
constexpr WORD kRestartKey = VK_NUMPAD8;
constexpr WORD kShutDownKey = VK_NUMPAD9;
constexpr WORD kSuspendKey = VK_NUMPAD4;

std::string powerKeysIni() {
  std::string text;
  const struct {
    int slot;
    int action;
  } keys[] = {{3, 10}, {4, 17}, {5, 19}, {7, 30}};
  for (const auto& key : keys)
    text += "[NumPadKey" + std::to_string(key.slot) + "]\r\nOSDLabel=P" + std::to_string(key.slot) +
            "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(key.action) + "\r\nSelectedFunction=0\r\n";
  return text + "[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

bool wineBootRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
    found = lstrcmpiA(entry.szExeFile, "wineboot.exe") == 0;
  CloseHandle(snapshot);
  return found;
}

// wineboot asks every top-level window's program; only the desktop's, the
// program's and the watch's may be there, or a request could end another one
// (or wait on this driver, which does not answer while it waits for the log).
std::string foreignWindows(const std::set<DWORD>& allowed) {
  struct Search {
    std::set<DWORD> allowed;
    std::string found;
  } search{allowed, {}};
  DWORD desktop = 0;
  GetWindowThreadProcessId(GetDesktopWindow(), &desktop);
  search.allowed.insert(desktop);
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (!s->allowed.count(pid)) s->found += describeWindow(window) + " (pid " + std::to_string(pid) + "); ";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

E2E_TEST("power.log_off_restart_and_shut_down_request_the_end_of_the_session_without_force") {
  REQUIRE_MSG(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr,
              "these keys end the session on Windows; the test needs Wine, where a refusing window stops the request");
  t.write(kIni, powerKeysIni());
  const std::string log = t.path("session.log");
  // Started first, so that it is usually asked before the program (wineboot
  // goes by process id); a program asked first ends, and the next case starts
  // a new one.
  KeytideProcess& watch = t.start({.exe = folderOf(t.config().markerExe) + "\\session_watch.exe",
                                   .args = "--log \"" + log + "\"",
                                   .workDir = t.dir(),
                                   .waitForWindows = false});
  REQUIRE_MSG(waitForWindow(watch.pid(), kWatchClass) != nullptr, "the session watch did not start");

  const struct {
    const char* what;
    WORD key;
    bool shutdown;  // "--shutdown": anything but a restart
  } cases[] = {
      {"log off", kLogOffKey, true},
      {"restart", kRestartKey, false},
      {"shut down", kShutDownKey, true},
  };
  KeytideProcess* keytide = nullptr;
  size_t seen = 0;
  for (const auto& c : cases) {
    if (keytide == nullptr || !keytide->running()) {
      keytide = &t.start();
      awaitStarted(*keytide);
      REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "the keypad was never grabbed");
      pause(Ms{500});  // Num Lock is registered right after the slot keys
    }
    const std::string foreign = foreignWindows({keytide->pid(), watch.pid()});
    REQUIRE_MSG(foreign.empty(), std::string(c.what) + ": other programs' windows would be asked: " + foreign);

    pressKey(c.key);
    const auto lines = waitForFile(log, [&](const std::string& s) { return splitLines(s).size() >= seen + 2; });
    REQUIRE_MSG(lines.has_value(), std::string(c.what) + ": no end-session request reached the watch");
    const auto all = splitLines(*lines);
    const std::string query = all[seen];
    const std::string end = all[seen + 1];
    seen = all.size();
    CHECK_MSG(query.find("wineboot.exe --end-session") != std::string::npos, std::string(c.what) + ": " + query);
    CHECK_MSG(query.find("--kill") == std::string::npos && query.find("--force") == std::string::npos,
              std::string(c.what) + " was forced: " + query);
    CHECK_MSG((query.find("--shutdown") != std::string::npos) == c.shutdown, std::string(c.what) + ": " + query);
    CHECK_EQ(end, std::string("end 0 0x0"));  // told that the session goes on
    CHECK_MSG(waitUntil([] { return !wineBootRunning(); }), std::string(c.what) + ": wineboot did not give up");
    CHECK(watch.running());
  }

  // Suspend is no end-session request (Wine's power-state call does nothing).
  if (keytide == nullptr || !keytide->running()) {
    keytide = &t.start();
    awaitStarted(*keytide);
    REQUIRE(!hotKeyFree(VK_NUMPAD5));
    pause(Ms{500});
  }
  pressKey(kSuspendKey);
  pause(Ms{1500});
  CHECK_EQ(splitLines(t.read("session.log").value_or("")).size(), seen);
  CHECK(!wineBootRunning());
  CHECK_EQ(keytide->close(), DWORD{0});
}
