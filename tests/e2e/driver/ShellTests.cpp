// The keys that meet the shell of today's Windows, seen from outside: the
// calculator key finds the calculator of every generation (stand-in windows
// with its class, and today's frame with the app's program behind it), and
// the refresh key refreshes the desktop window found by its class without
// starting any program.
#include <string>
#include <vector>

#include "Driver.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr WORD kCalculatorKey = VK_NUMPAD7;  // slot 3
constexpr WORD kRefreshKey = VK_DECIMAL;      // slot 14

std::string shellKeysIni() {
  return "[NumPadKey3]\r\nOSDLabel=Calc\r\nFileName=\r\nGoToAdress=\r\nAction=5\r\nSelectedFunction=0\r\n"
         "[NumPadKey14]\r\nOSDLabel=Refresh\r\nFileName=\r\nGoToAdress=\r\nAction=16\r\nSelectedFunction=0\r\n"
         "[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

KeytideProcess& startKeytide(TestContext& t) {
  t.write(kIni, shellKeysIni());
  KeytideProcess& k = t.start();
  REQUIRE_MSG(waitHotKey(VK_NUMPAD5, true), "the keypad was never grabbed");
  pause(Ms{500});  // Num Lock is registered right after the slot keys
  return k;
}

// Counts the programs a process starts: it is put in a job, which counts
// every process that ever ran in it, however briefly.
class StartedPrograms {
 public:
  explicit StartedPrograms(const KeytideProcess& k) : job_(CreateJobObjectA(nullptr, nullptr)) {
    REQUIRE_MSG(job_ != nullptr && AssignProcessToJobObject(job_, k.handle()), "cannot watch the program's children");
  }
  ~StartedPrograms() { CloseHandle(job_); }
  StartedPrograms(const StartedPrograms&) = delete;
  StartedPrograms& operator=(const StartedPrograms&) = delete;

  long count() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr)) return -1;
    return static_cast<long>(info.TotalProcesses) - 1;  // the program itself
  }

 private:
  HANDLE job_;
};

// A window with a given class and title (foreground_window.exe) that records
// the commands it gets.
struct StandIn {
  KeytideProcess* process;
  HWND window;
  std::string log;

  std::vector<std::string> commands() const { return splitLines(readFile(log).value_or("")); }
};

// exe: the stand-in's program, foreground_window.exe by default. child: the
// class of a child window, as a store app's frame holds the app's window.
StandIn startStandIn(TestContext& t, const std::string& windowClass, const std::string& title,
                     const std::string& exe = "", const std::string& child = "") {
  const std::string log = t.path(windowClass + "-" + title + ".log");
  std::string args = "--boxes both --class \"" + windowClass + "\" --title \"" + title + "\" --log \"" + log + "\"";
  if (!child.empty()) args += " --child \"" + child + "\"";
  KeytideProcess& process =
      t.start({.exe = exe.empty() ? folderOf(t.config().markerExe) + "\\foreground_window.exe" : exe,
               .args = args,
               .workDir = t.dir(),
               .waitForWindows = false});
  HWND window = waitForWindow(process.pid(), windowClass.c_str(), title.c_str());
  REQUIRE_MSG(window != nullptr, "the stand-in window " + windowClass + " \"" + title + "\" did not appear");
  return {&process, window, log};
}

const std::vector<std::string> kClosed{"syscommand 0xF060"};

}  // namespace

E2E_TEST("shell.calculator_key_closes_the_calculator_of_today_and_of_windows_7") {
  KeytideProcess& k = startKeytide(t);
  StartedPrograms started(k);
  // Every store app lives in a frame of the same class, titled in the user's
  // language: the program behind the app's window inside tells which.
  constexpr char kAppFrame[] = "ApplicationFrameWindow";
  constexpr char kAppWindow[] = "Windows.UI.Core.CoreWindow";
  const std::string calculatorApp = t.path("CalculatorApp.exe");
  REQUIRE(CopyFileA((folderOf(t.config().markerExe) + "\\foreground_window.exe").c_str(), calculatorApp.c_str(),
                    FALSE));
  StandIn otherApp = startStandIn(t, kAppFrame, "Calculator", "", kAppWindow);
  StandIn calculator = startStandIn(t, kAppFrame, "Rechner", calculatorApp, kAppWindow);

  pressKey(kCalculatorKey);
  CHECK_MSG(calculator.process->waitExit().has_value(), "today's calculator was not closed");
  CHECK(calculator.commands() == kClosed);

  StandIn windows7 = startStandIn(t, "CalcFrame", "Calculator");
  pressKey(kCalculatorKey);
  CHECK_MSG(windows7.process->waitExit().has_value(), "the Windows 7 calculator was not closed");
  CHECK(windows7.commands() == kClosed);

  CHECK_MSG(otherApp.process->running() && otherApp.commands().empty(),
            "another app's frame titled \"Calculator\" got a command");
  CHECK_EQ(started.count(), 0L);  // a found calculator is closed, not started again
  PostMessageA(otherApp.window, WM_CLOSE, 0, 0);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("shell.refresh_key_refreshes_the_desktop_window_by_its_class_and_starts_no_program") {
  KeytideProcess& k = startKeytide(t);
  StartedPrograms started(k);
  // Wine's desktop has no window of the shell's desktop class: a stand-in
  // with the real shell's title (one blank) takes its place.
  REQUIRE_MSG(FindWindowA("Progman", nullptr) == nullptr, "a desktop window is already there");
  StandIn desktop = startStandIn(t, "Progman", "Program Manager");

  pressKey(kRefreshKey);
  CHECK_MSG(waitUntil([&] { return desktop.commands() == std::vector<std::string>{"command 0xA065"}; }),
            "the desktop window did not get its refresh command");
  // The repaint once ran "rundll32 user,repaintscreen", a module that 64-bit
  // Windows does not have; the count covers programs that ended at once too.
  pause(Ms{1500});
  CHECK_EQ(started.count(), 0L);
  CHECK(isResponsive(k.mainWindow()));
  PostMessageA(desktop.window, WM_CLOSE, 0, 0);
  CHECK_EQ(k.close(), DWORD{0});
}
