// The window keys seen from outside: a test window in the foreground is
// maximized, restored, minimized and closed by the real hot keys, and the
// maximize and minimize keys do nothing to a window without that box.
#include <string>
#include <vector>

#include "Driver.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";

// Keypad 7 closes, 8 maximizes, 9 minimizes, 4 restores (slots 3, 4, 5, 7);
// no OSD, so that nothing of the program's own comes to the front.
std::string windowKeysIni() {
  std::string text;
  const struct {
    int slot;
    int action;
  } keys[] = {{3, 0}, {4, 1}, {5, 2}, {7, 3}};
  for (const auto& key : keys)
    text += "[NumPadKey" + std::to_string(key.slot) + "]\r\nOSDLabel=K" + std::to_string(key.slot) +
            "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(key.action) + "\r\nSelectedFunction=0\r\n";
  return text + "[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

constexpr WORD kCloseKey = VK_NUMPAD7;
constexpr WORD kMaximizeKey = VK_NUMPAD8;
constexpr WORD kMinimizeKey = VK_NUMPAD9;
constexpr WORD kRestoreKey = VK_NUMPAD4;

void startKeytide(TestContext& t) {
  t.write(kIni, windowKeysIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "the keypad was never grabbed");
  pause(Ms{500});  // Num Lock is registered right after the slot keys
}

struct TestWindow {
  KeytideProcess* process;
  HWND window;
  std::string log;

  std::vector<std::string> commands() const { return splitLines(readFile(log).value_or("")); }
};

// The test window with the given boxes, in the foreground.
TestWindow startTestWindow(TestContext& t, const std::string& boxes) {
  const std::string log = t.path("window-" + boxes + ".log");
  const auto [process, window] = startForegroundTestWindow(t, "--boxes " + boxes + " --log \"" + log + "\"");
  return {process, window, log};
}

bool waitForCommands(const TestWindow& w, const std::vector<std::string>& expected) {
  return waitUntil([&] { return w.commands() == expected; });
}

void closeTestWindow(const TestWindow& w) {
  PostMessageA(w.window, WM_CLOSE, 0, 0);
  CHECK_MSG(w.process->waitExit().has_value(), "the test window did not close");
}

}  // namespace

E2E_TEST("window.keys_maximize_restore_minimize_and_close_the_foreground_window") {
  startKeytide(t);
  TestWindow w = startTestWindow(t, "both");

  pressKey(kMaximizeKey);
  CHECK_MSG(waitUntil([&] { return IsZoomed(w.window) != FALSE; }), "not maximized: " + describeWindow(w.window));
  CHECK_MSG(waitForCommands(w, {"syscommand 0xF030"}), "commands: " + joined(w.commands()));

  pressKey(kRestoreKey);
  CHECK_MSG(waitUntil([&] { return !IsZoomed(w.window) && !IsIconic(w.window); }),
            "not restored: " + describeWindow(w.window));
  CHECK_MSG(waitForCommands(w, {"syscommand 0xF030", "syscommand 0xF120"}), "commands: " + joined(w.commands()));

  pressKey(kMinimizeKey);
  CHECK_MSG(waitUntil([&] { return IsIconic(w.window) != FALSE; }), "not minimized: " + describeWindow(w.window));
  CHECK_MSG(waitForCommands(w, {"syscommand 0xF030", "syscommand 0xF120", "syscommand 0xF020"}),
            "commands: " + joined(w.commands()));

  // A minimized window gives up the foreground; bring it back for the close key.
  ShowWindow(w.window, SW_RESTORE);
  SetForegroundWindow(w.window);
  REQUIRE(waitUntil([&] { return GetForegroundWindow() == w.window; }));
  pressKey(kCloseKey);
  CHECK_MSG(w.process->waitExit().has_value(), "the close key did not close the window");
  CHECK_EQ(joined(w.commands()),
           joined({"syscommand 0xF030", "syscommand 0xF120", "syscommand 0xF020", "syscommand 0xF060"}));
}

E2E_TEST("window.maximize_and_minimize_act_only_on_windows_with_the_box") {
  startKeytide(t);
  // Each window gets the key it lacks the box for first, then a key that does
  // post: posts to one window arrive in order, so the first key's command
  // would be in the log before the second's.
  {
    TestWindow w = startTestWindow(t, "none");
    pressKey(kMaximizeKey);
    pressKey(kMinimizeKey);
    pressKey(kRestoreKey);  // restore posts to any window
    CHECK_MSG(waitUntil([&] { return !w.commands().empty(); }), "the restore key posted nothing");
    pause(Ms{300});
    CHECK_EQ(joined(w.commands()), joined({"syscommand 0xF120"}));
    CHECK(!IsZoomed(w.window) && !IsIconic(w.window));
    closeTestWindow(w);
  }
  {
    TestWindow w = startTestWindow(t, "max");
    pressKey(kMinimizeKey);
    pressKey(kMaximizeKey);
    CHECK_MSG(waitUntil([&] { return IsZoomed(w.window) != FALSE; }), "not maximized: " + describeWindow(w.window));
    pause(Ms{300});
    CHECK_EQ(joined(w.commands()), joined({"syscommand 0xF030"}));
    closeTestWindow(w);
  }
  {
    TestWindow w = startTestWindow(t, "min");
    pressKey(kMaximizeKey);
    pressKey(kMinimizeKey);
    CHECK_MSG(waitUntil([&] { return IsIconic(w.window) != FALSE; }), "not minimized: " + describeWindow(w.window));
    pause(Ms{300});
    CHECK_EQ(joined(w.commands()), joined({"syscommand 0xF020"}));
    closeTestWindow(w);
  }
}
