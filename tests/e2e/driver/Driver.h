#pragma once
// ktdriver: the end-to-end test driver. It runs the real keytide.exe (under
// Wine on Xvfb via scripts/e2e.sh, or on Windows) and watches it only from the
// outside: files, windows, hot keys, the registry and the programs it starts.
//
// Command line
//   ktdriver --exe <keytide.exe> --marker <marker.exe> --work <scratch root>
//            [--data <folder of expected files>] [--timeout-ms N]
//            [--shots <folder for pictures>] [--claims <folder>] [--list] [filter ...]
//   A filter is a substring of a test name; a test runs when it matches any
//   filter (all tests run when none is given). --list prints the names.
//   Tests declared with E2E_TEST_ON_REQUEST belong to other runs than the
//   end-to-end tier (the release check, the screenshots): they run only when
//   a filter is the beginning of their name ("release.", "face.osd").
//   --claims lets several drivers (each on its own display and Wine prefix)
//   share one list: each test runs in the driver that claims it first.
//   Output: one "PASS name (seconds)" or "FAIL name (seconds): file:line: message" line per test
//   (further problems of the same test follow, indented), then exactly one
//   closing line "e2e: N passed, M failed". Exit code 0 only if all passed.
//
// Writing a test
//   Tests are functions registered with E2E_TEST("group.what_it_shows") in any
//   .cpp file of this folder. Each test gets a TestContext `t` with its own
//   empty scratch folder (t.dir()); every process it starts through t.start()
//   is stopped at the end of the test (politely, then by force; a program that
//   does not end is a failure), together with the programs those started.
//   Checks record a failure with file and line and go on; REQUIRE checks end
//   the test at once. Every wait has a time-out (t.timeout(), 15 s unless
//   --timeout-ms says otherwise); never assert on how long something took.
//
//   E2E_TEST("ini.example") {
//     t.write("ktd.ini", "[IsActive]\r\nIsKTDActive=0\r\n");  // before start
//     KeytideProcess& k = t.start();          // copy exe, run, await windows
//     CHECK(!isVisible(k.mainWindow()));
//     CHECK(hotKeyFree(VK_NUMPAD5));          // inactive: keypad not taken
//     pressKey(VK_SCROLL);                    // Scroll Lock activates it...
//     auto text = waitForFile(t.path("ktd.ini"), [](const std::string& s) {
//       return s.find("IsKTDActive=1") != std::string::npos; });
//     CHECK_MSG(text.has_value(), "activation was not saved");
//     CHECK_EQ(k.close(), 0u);                // WM_CLOSE; exit code
//   }
//
// Helper overview (details at each declaration below)
//   TestContext   dir/path/write/read, installKeytide/installMarker, start,
//                 data (expected files), markerLog, timeout, fail.
//   KeytideProcess  pid, running, mainWindow, programWindow, windows(class),
//                 waitExit, close (WM_CLOSE + wait, kill on time-out), kill.
//   Windows       findWindows(pid, class, title), waitForWindow, isVisible,
//                 windowRect, windowRegion (GetWindowRgn as rectangles, in
//                 window coordinates), isTopmost, windowText, visibleWindows,
//                 dialogText/answerDialog for message boxes, isResponsive.
//   Keys          keyDown, keyUp, pressKey (SendInput by virtual-key code;
//                 extended flag where the key needs it, e.g. VK_DIVIDE).
//   Hot keys      hotKeyFree(vk): registers the key briefly from the driver;
//                 it fails only while another program holds it.
//   Files         readFile, writeFile, fileExists, deleteFile, copyFile,
//                 waitForFile(path, predicate), firstDifference, splitLines.
//   Registry      regReadString, regReadDword, regWriteString, regDeleteValue.
//   Marker        readMarkerLog, waitForMarkerRuns: what marker.exe recorded.
//   Tray          trayIconPresent/waitForTrayIcon (the program's icon as the
//                 shell holds it), awaitStarted (the deferred start is over:
//                 use it before any hot-key probe), trayIconRect, clickTrayIcon,
//                 clickAt, screenPixels, saveScreen, waitForPopupMenu, menuItems.
//   Waiting       waitUntil(predicate[, timeout]), pause(ms) for settling.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <source_location>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ktd::e2e {

using Ms = std::chrono::milliseconds;

// ---------------------------------------------------------------------------
// Configuration given on the command line.
struct Config {
  std::string keytideExe;  // the program under test (Windows path)
  std::string markerExe;   // the marker program
  std::string workRoot;    // scratch root; each test gets a folder below it
  std::string dataDir;     // expected files (tests\e2e\data)
  Ms timeout{15000};       // default time-out of every wait
  std::string shotsDir;    // where the face.* tests save their pictures
  // Shared by drivers that run one list side by side: a test runs in the
  // driver that first makes its file here.
  std::string claimsDir;
};

class TestContext;
class KeytideProcess;

// The test running now (valid only inside a test).
TestContext& currentTest();

// Thrown by REQUIRE to end a test; the runner catches it.
struct TestAborted {};

// ---------------------------------------------------------------------------
// Values in failure messages.
// "text" with \r, \n, \xNN shown; cut after 160 characters (size told).
std::string quoted(const std::string& text);
inline std::string show(const std::string& v) { return quoted(v); }
inline std::string show(const char* v) { return v ? quoted(v) : "(null)"; }
inline std::string show(bool v) { return v ? "true" : "false"; }
inline std::string show(const void* v) {
  std::ostringstream s;
  s << v;
  return s.str();
}
template <class T>
std::string show(const T& v) {
  std::ostringstream s;
  s << v;
  return s.str();
}
template <class T>
std::string show(const std::optional<T>& v) {
  return v ? show(*v) : std::string("(none)");
}

#define E2E_CAT2(a, b) a##b
#define E2E_CAT(a, b) E2E_CAT2(a, b)

// Declares and registers a test; the body sees `TestContext& t`.
#define E2E_TEST(name)                                                        \
  static void E2E_CAT(e2eTest_, __LINE__)(::ktd::e2e::TestContext & t);       \
  static const ::ktd::e2e::TestRegistrar E2E_CAT(e2eReg_, __LINE__)(           \
      name, __FILE__, &E2E_CAT(e2eTest_, __LINE__));                           \
  static void E2E_CAT(e2eTest_, __LINE__)([[maybe_unused]] ::ktd::e2e::TestContext & t)

// Checks: record a failure and go on.
#define CHECK(cond)                                                           \
  ((cond) ? true : (::ktd::e2e::currentTest().fail("CHECK(" #cond ") failed", __FILE__, __LINE__), false))
#define CHECK_MSG(cond, msg)                                                  \
  ((cond) ? true : (::ktd::e2e::currentTest().fail((msg), __FILE__, __LINE__), false))
#define CHECK_EQ(actual, expected)                                            \
  ::ktd::e2e::detail::checkEqual((actual), (expected), #actual, #expected, __FILE__, __LINE__)
// Requirements: record a failure and end the test.
#define REQUIRE(cond)                                                         \
  do {                                                                        \
    if (!(cond)) ::ktd::e2e::currentTest().abort("REQUIRE(" #cond ") failed", __FILE__, __LINE__); \
  } while (0)
#define REQUIRE_MSG(cond, msg)                                                \
  do {                                                                        \
    if (!(cond)) ::ktd::e2e::currentTest().abort((msg), __FILE__, __LINE__);  \
  } while (0)
#define REQUIRE_EQ(actual, expected)                                          \
  do {                                                                        \
    if (!CHECK_EQ(actual, expected)) throw ::ktd::e2e::TestAborted{};         \
  } while (0)

// A test that runs only when a filter is the beginning of its name.
#define E2E_TEST_ON_REQUEST(name)                                             \
  static void E2E_CAT(e2eTest_, __LINE__)(::ktd::e2e::TestContext & t);       \
  static const ::ktd::e2e::TestRegistrar E2E_CAT(e2eReg_, __LINE__)(           \
      name, __FILE__, &E2E_CAT(e2eTest_, __LINE__), true);                     \
  static void E2E_CAT(e2eTest_, __LINE__)([[maybe_unused]] ::ktd::e2e::TestContext & t)

using TestFn = void (*)(TestContext&);
struct TestRegistrar {
  TestRegistrar(const char* name, const char* file, TestFn fn, bool onRequest = false);
};

// ---------------------------------------------------------------------------
// How a program is started by TestContext::start.
struct StartOptions {
  std::string exe{};      // default: the test folder's keytide.exe (copied in if missing)
  std::string args{};     // appended after the quoted program path
  std::string workDir{};  // default: the folder of exe
  // Environment additions or replacements for the child. KEYTIDE_MARKER_LOG is
  // set to t.markerLog() unless given here.
  std::vector<std::pair<std::string, std::string>> env{};
  // Wait until the editor's window and the program window exist; a program
  // that does not get there fails the test (REQUIRE).
  bool waitForWindows = true;
};

// One started keytide.exe (or other program). Owned by the TestContext.
class KeytideProcess {
 public:
  KeytideProcess(TestContext& owner, PROCESS_INFORMATION info, std::string exe);
  ~KeytideProcess();
  KeytideProcess(const KeytideProcess&) = delete;
  KeytideProcess& operator=(const KeytideProcess&) = delete;

  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  const std::string& exe() const { return exe_; }
  bool running() const;

  // The windows of this process (looked up afresh; nullptr when absent).
  HWND mainWindow() const;     // the editor: class "Tktdform", title "Keytide"
  HWND programWindow() const;  // the tray's hidden top-level window: WM_CLOSE ends the program
  std::vector<HWND> windows(const char* windowClass) const;  // top-level, any title
  HWND window(const char* windowClass) const;                // first of windows()

  // Waits for both windows above; false on time-out or if the process ended.
  bool waitForWindows(std::optional<Ms> timeout = {}) const;

  // Waits for the process to end; its exit code, or nothing on time-out.
  std::optional<DWORD> waitExit(std::optional<Ms> timeout = {}) const;

  // Posts WM_CLOSE to the program window and waits for the process to end.
  // Returns the exit code. If there is no such window or the process does not
  // end in time, records a failure (with the process's visible windows),
  // terminates it and returns nothing.
  std::optional<DWORD> close(std::optional<Ms> timeout = {},
                             std::source_location where = std::source_location::current());

  // Terminates the process (and nothing else) at once.
  void kill();

 private:
  TestContext& owner_;
  HANDLE process_;
  DWORD pid_;
  std::string exe_;
};

// Per-test state; one per test, created by the runner.
class TestContext {
 public:
  TestContext(const Config& config, std::string name, std::string dir);
  ~TestContext();

  const std::string& name() const { return name_; }
  const Config& config() const { return config_; }
  Ms timeout() const { return config_.timeout; }

  // The test's scratch folder (empty at the start) and paths inside it.
  const std::string& dir() const { return dir_; }
  std::string path(const std::string& relative) const;

  // Write/read a file in the scratch folder (folders made as needed). write
  // ends the test if the file cannot be written.
  void write(const std::string& relative, const std::string& content,
             std::source_location where = std::source_location::current());
  std::optional<std::string> read(const std::string& relative) const;

  // Copies keytide.exe / marker.exe into the scratch folder (or a subfolder,
  // e.g. "second\\keytide.exe") and returns the copy's full path.
  std::string installKeytide(const std::string& relative = "keytide.exe",
                            std::source_location where = std::source_location::current());
  std::string installMarker(const std::string& relative = "marker.exe",
                            std::source_location where = std::source_location::current());

  // Where marker.exe writes when started by a program that t.start() ran.
  std::string markerLog() const { return path("marker.log"); }

  // Full path of an expected file in the data folder; the content of one
  // (ends the test if it cannot be read).
  std::string data(const std::string& relative) const;
  std::string dataText(const std::string& relative,
                       std::source_location where = std::source_location::current());

  // Starts a program (keytide.exe by default); ends the test if it cannot be
  // started or, with waitForWindows, does not show its windows in time.
  KeytideProcess& start(StartOptions options = {},
                        std::source_location where = std::source_location::current());

  // Takes over a program the test started itself (with CreateProcessW, for a
  // path outside the ANSI code page); it is stopped at the end like the others.
  KeytideProcess& adopt(PROCESS_INFORMATION info, std::string exe);

  // All programs this test started.
  const std::vector<std::unique_ptr<KeytideProcess>>& processes() const { return processes_; }

  // Failure recording. fail goes on, abort ends the test.
  void fail(const std::string& message, const char* file, int line);
  void fail(const std::string& message, const std::source_location& where);
  [[noreturn]] void abort(const std::string& message, const char* file, int line);
  [[noreturn]] void abort(const std::string& message, const std::source_location& where);
  const std::vector<std::string>& failures() const { return failures_; }

  // Runs at the end of each test: stops what the test left running.
  void tearDown();

 private:
  const Config& config_;
  std::string name_;
  std::string dir_;
  std::vector<std::string> failures_;
  std::vector<std::unique_ptr<KeytideProcess>> processes_;
};

// The programs that the processes `roots` started, and the programs those
// started, taken while the parent links are fresh (before the roots end) and
// held open, so that end() ends them and nothing that got one of their ids
// since.
class LaunchedPrograms {
 public:
  explicit LaunchedPrograms(const std::set<DWORD>& roots);
  ~LaunchedPrograms();
  LaunchedPrograms(const LaunchedPrograms&) = delete;
  LaunchedPrograms& operator=(const LaunchedPrograms&) = delete;

  void end(Ms waitEach);

 private:
  std::vector<HANDLE> processes_;
};

// ---------------------------------------------------------------------------
// Waiting.

// Polls pred until it is true or the time-out (default t.timeout()) passes.
bool waitUntil(const std::function<bool()>& pred, std::optional<Ms> timeout = {});
// Waits a fixed time: only to let a program settle where nothing can be
// polled (e.g. "still hidden two seconds later"), never as a synchronisation.
void pause(Ms duration);

// ---------------------------------------------------------------------------
// Windows. "Top-level" includes owned windows (e.g. the OSD), not child ones.

std::vector<HWND> findWindows(DWORD pid, const char* windowClass, const char* title = nullptr);
HWND waitForWindow(DWORD pid, const char* windowClass, const char* title = nullptr,
                   std::optional<Ms> timeout = {});
std::vector<HWND> visibleWindows(DWORD pid);  // visible top-level windows of pid
// The visible top-level windows of pid that the taskbar shows a button for:
// unowned and not tool windows, or marked as application windows.
std::vector<HWND> taskbarWindows(DWORD pid);
std::string windowClassName(HWND window);
std::string windowText(HWND window);
bool isVisible(HWND window);   // IsWindowVisible; false for nullptr
bool isTopmost(HWND window);   // WS_EX_TOPMOST
RECT windowRect(HWND window);  // GetWindowRect, screen coordinates
std::string describeWindow(HWND window);  // class, title, visibility, rect
// foreground_window.exe (class "KeytideForegroundTest") started with `args`,
// once its window is the foreground one.
struct ForegroundTestWindow {
  KeytideProcess* process;
  HWND window;
};
ForegroundTestWindow startForegroundTestWindow(TestContext& t, const std::string& args);
// True if the window's thread answers a message within the time-out.
bool isResponsive(HWND window, std::optional<Ms> timeout = {});
SIZE screenSize();  // the primary screen in pixels

// A window's shape from GetWindowRgn, in window coordinates (origin at the
// window's upper left corner, as SetWindowRgn takes it).
struct WindowRegion {
  bool present = false;     // false: the window has no region
  int type = 0;             // NULLREGION, SIMPLEREGION or COMPLEXREGION
  RECT box{};               // bounding box
  std::vector<RECT> rects;  // the region as non-overlapping rectangles
  bool contains(int x, int y) const;
  long long area() const;   // pixels in the region
};
WindowRegion windowRegion(HWND window);

// Message boxes and dialogs (class "#32770"): their static texts joined by
// newlines, and answering one by posting a button command (IDOK etc.).
std::string dialogText(HWND dialog);
bool answerDialog(HWND dialog, int buttonId = IDOK);

// ---------------------------------------------------------------------------
// Keys (SendInput, virtual-key codes). Extended keys (VK_DIVIDE, arrows, the
// right Ctrl/Alt, Num Lock, ...) get KEYEVENTF_EXTENDEDKEY automatically.
bool isExtendedKey(WORD vk);
bool keyDown(WORD vk);
bool keyUp(WORD vk);
bool pressKey(WORD vk);  // down and up in one SendInput
// Presses keys in order (each down), then releases them in reverse order.
bool pressChord(const std::vector<WORD>& vks);

// Lock keys. putLockKeysOff switches Num Lock and Scroll Lock off with
// presses from here where no program holds them (a held one is left alone).
// Known Wine difference (8.0): a thread that takes input after a lock key was
// toggled sees it off until it is toggled again (Windows shows it at once), so
// every start of the program begins with both off (TestContext::start does
// this), and a program that reads them is started while they are off. The
// driver itself took input before any toggle and sees them all.
void putLockKeysOff();

// ---------------------------------------------------------------------------
// Hot keys. hotKeyFree registers vk+modifiers for the driver's thread and
// unregisters it at once: true if that worked (nobody holds the key), false
// if another program holds it (ERROR_HOTKEY_ALREADY_REGISTERED; Wine reports
// this across processes just as Windows does). Use it once the program is
// expected to have (un)registered; probing while it registers could, in an
// unlucky instant, take the key from it.
bool hotKeyFree(UINT vk, UINT modifiers = 0, std::source_location where = std::source_location::current());
// Polls hotKeyFree until the key is held (held=true) or free (held=false).
bool waitHotKey(UINT vk, bool held, std::optional<Ms> timeout = {}, UINT modifiers = 0,
                std::source_location where = std::source_location::current());

// ---------------------------------------------------------------------------
// Files (Windows paths; content as bytes).
std::optional<std::string> readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);
bool deleteFile(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
bool makeDirs(const std::string& path);
bool removeTree(const std::string& path);
std::string folderOf(const std::string& path);  // up to the last '\' (without it)
// Polls the file until it exists and pred(content) holds; the content, or
// nothing on time-out.
std::optional<std::string> waitForFile(const std::string& path,
                                       const std::function<bool(const std::string&)>& pred,
                                       std::optional<Ms> timeout = {});
// Lines split at "\r\n" (a final line end gives no empty last line).
std::vector<std::string> splitLines(const std::string& text);
std::string joined(const std::vector<std::string>& lines);  // "[a, b]"
// Empty if equal; otherwise sizes, line counts and the first differing line.
std::string firstDifference(const std::string& expected, const std::string& actual);

// ---------------------------------------------------------------------------
// Registry (the 64-bit view; all programs here are 64-bit).
std::optional<std::string> regReadString(HKEY root, const std::string& key, const std::string& value);
std::optional<DWORD> regReadDword(HKEY root, const std::string& key, const std::string& value);
bool regWriteString(HKEY root, const std::string& key, const std::string& value, const std::string& data);
bool regDeleteValue(HKEY root, const std::string& key, const std::string& value);

// ---------------------------------------------------------------------------
// marker.exe appends one line per start: "argc=N\tcwd=DIR\tcmdline=LINE\r\n",
// argc counting the program name as C's argc does, cmdline exactly
// GetCommandLineA(). It writes to %KEYTIDE_MARKER_LOG%, else to marker.log
// beside itself.
struct MarkerRun {
  int argc = 0;
  std::string cwd;
  std::string commandLine;
};
std::vector<MarkerRun> readMarkerLog(const std::string& path);
// Waits until the log holds at least `count` runs; the runs, or nothing.
std::optional<std::vector<MarkerRun>> waitForMarkerRuns(const std::string& path, size_t count,
                                                        std::optional<Ms> timeout = {});

// ---------------------------------------------------------------------------
// The tray icon and the program's menus.

// The window the tray icon's notifications go to: the program's message-only
// window, which only FindWindowEx with HWND_MESSAGE finds.
HWND trayIconWindow(const KeytideProcess& k);
// Whether the shell holds the program's tray icon (asked with an empty change
// of the icon, which the shell refuses for an icon it does not hold).
bool trayIconPresent(const KeytideProcess& k);
bool waitForTrayIcon(const KeytideProcess& k, bool present = true, std::optional<Ms> timeout = {});
// Waits until the deferred start is over: the tray icon is up, so the program
// has taken its keys (it does so before putting up the icon). From then on a
// hot-key probe cannot take a key from the program as it registers it. Ends
// the test when the icon does not come.
void awaitStarted(const KeytideProcess& k, std::source_location where = std::source_location::current());
// The icon's rectangle on the screen; nothing while it is not shown.
std::optional<RECT> trayIconRect(const KeytideProcess& k);
// Mouse clicks by SendInput at a screen point (button: MOUSEEVENTF_LEFTDOWN,
// MOUSEEVENTF_RIGHTDOWN or MOUSEEVENTF_MIDDLEDOWN; the matching release follows).
bool clickAt(POINT at, DWORD buttonDown = MOUSEEVENTF_LEFTDOWN);
// The mouse as a hand moves it: one input at a screen point (absolute, with
// MOUSEEVENTF_MOVE added to `flags`), and steps sent one at a time with a
// moment between them and after the last (Wine's combo boxes close their
// list again on a release that comes together with the press).
INPUT mouseInput(POINT at, DWORD flags);
void sendMouse(const std::vector<INPUT>& steps);
void clickSteadily(POINT at, bool right = false);
void drag(POINT from, POINT to, bool right);
// Moves the mouse into the screen's top left corner when the test ends, away
// from the windows that later tests put in the middle of the screen (a mouse
// resting on a control shows its hint there).
class MouseParkedAtEnd {
 public:
  MouseParkedAtEnd() = default;
  MouseParkedAtEnd(const MouseParkedAtEnd&) = delete;
  MouseParkedAtEnd& operator=(const MouseParkedAtEnd&) = delete;
  ~MouseParkedAtEnd();
};
bool clickTrayIcon(const KeytideProcess& k, DWORD buttonDown = MOUSEEVENTF_LEFTDOWN);
// The screen's pixels in a rectangle, row by row, as 0x00RRGGBB.
std::vector<std::uint32_t> screenPixels(const RECT& area);
// A picture of the whole screen, taken at one moment.
struct ScreenShot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // row by row, 0x00RRGGBB
  std::uint32_t at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  // The part inside `area` (cut to the screen) as a .bmp, for a person to look at.
  bool save(const std::string& path, const RECT& area) const;
  bool save(const std::string& path) const { return save(path, RECT{0, 0, width, height}); }
};
ScreenShot captureScreen();
// Saves the whole screen as a .bmp (for looking at a run kept with
// KEYTIDE_KEEP_SCRATCH=1), or a part of it (cut to the screen).
bool saveScreen(const std::string& path);
bool saveScreenArea(const std::string& path, const RECT& area);
// The opaque middle of the tray icon's picture on the screen (empty while the
// icon is not shown), and the same once two looks 200 ms apart agree (the
// shell paints a moment after it is told).
std::vector<std::uint32_t> trayIconMiddle(const KeytideProcess& k);
std::vector<std::uint32_t> settledTrayIconMiddle(const KeytideProcess& k);
// Distinct pictures of the tray icon, looking every 130 ms until `enough` have
// come or `within` has passed: 1 for a still picture. The animation sweeps at
// once when it starts and then every 15 s, so a look for it may take 16 s.
inline constexpr Ms kTrayAnimationWait{16000};
size_t trayIconPictures(const KeytideProcess& k, size_t enough, Ms within);
// The visible popup menu window (class "#32768") of a process, or nullptr.
HWND waitForPopupMenu(DWORD pid, std::optional<Ms> timeout = {});
struct MenuItem {
  std::string caption;  // empty for a separator
  bool separator = false;
  bool checked = false;
};
// The items of an open popup menu window; nothing if they cannot be read.
std::optional<std::vector<MenuItem>> menuItems(HWND menuWindow);
// Chooses the n-th command of an open menu (1: the first; separators are
// skipped) with the arrow keys and Enter, once the menu's program has the
// keyboard, and waits until the menu is gone. False if it stays.
bool chooseFromMenu(HWND menuWindow, int n);

// ---------------------------------------------------------------------------
namespace detail {
template <class A, class E>
bool checkEqual(const A& actual, const E& expected, const char* actualText, const char* expectedText,
                const char* file, int line) {
  if (actual == expected) return true;
  currentTest().fail(std::string("CHECK_EQ(") + actualText + ", " + expectedText + "): got " + show(actual) +
                         ", expected " + show(expected),
                     file, line);
  return false;
}
}  // namespace detail

}  // namespace ktd::e2e
