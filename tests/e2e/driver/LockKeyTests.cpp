// Num Lock and Scroll Lock as other programs see them (lock_watch.exe reads
// the toggle states in a process of its own): Num Lock is switched on, the
// Scroll Lock light follows the program's state, a Scroll Lock press switches
// the program exactly once, and the hot keys' atoms are gone after exit.
// A start while a light is already on cannot be shown under Wine (see
// putLockKeysOff); the decisions for it are unit-tested.
#include <string>

#include "Driver.h"
#include "model/KeySlots.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";

std::string lockIni(const char* active) {
  return std::string("[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\n[IsActive]\r\nIsKTDActive=") + active +
         "\r\nIsOSDActive=0\r\n";
}

class LockWatch {
 public:
  explicit LockWatch(TestContext& t) : file_(t.path("locks.txt")) {
    putLockKeysOff();  // see putLockKeysOff: under Wine it sees only later toggles
    t.start({.exe = folderOf(t.config().markerExe) + "\\lock_watch.exe",
             .args = "\"" + file_ + "\"",
             .workDir = t.dir(),
             .waitForWindows = false});
    REQUIRE_MSG(waitForFile(file_, [](const std::string& s) { return !s.empty(); }).has_value(),
                "lock_watch.exe reported nothing");
  }

  std::string state() const { return readFile(file_).value_or(""); }

  // Waits until the other process sees these states.
  bool waitFor(bool num, bool scroll, std::optional<Ms> timeout = {}) const {
    const std::string wanted = expected(num, scroll);
    return waitUntil([&] { return state() == wanted; }, timeout);
  }

  static std::string expected(bool num, bool scroll) {
    return "num=" + std::to_string(num ? 1 : 0) + " scroll=" + std::to_string(scroll ? 1 : 0) + "\r\n";
  }

 private:
  std::string file_;
};

// Returns once the program has finished the message it was handling: a sent
// message is answered only between messages. A probe of its keys (which
// grabs the key for an instant) then cannot meet the moment it grabs one again
// after a press of its own.
void settle(KeytideProcess& k) {
  isResponsive(k.mainWindow());
  isResponsive(k.mainWindow());
}

bool savedActive(TestContext& t, const char* value) {
  const std::string line = std::string("IsKTDActive=") + value;
  return waitForFile(t.path(kIni), [&](const std::string& s) { return s.find(line) != s.npos; }).has_value();
}

}  // namespace

E2E_TEST("locks.num_lock_goes_on_and_the_scroll_lock_light_follows_the_program") {
  LockWatch watch(t);
  REQUIRE_MSG(watch.waitFor(false, false), "the lock keys are not off at the start: " + quoted(watch.state()));

  t.write(kIni, lockIni("1"));
  KeytideProcess& k = t.start();
  CHECK_MSG(watch.waitFor(true, true), "active: expected Num Lock and Scroll Lock on, seen " + quoted(watch.state()));
  settle(k);
  REQUIRE(waitHotKey(VK_NUMLOCK, true));

  // Each press switches the program once; its own press never comes back as
  // a second one (that would switch it back and save again).
  struct Step {
    const char* saved;
    bool scroll;
  };
  for (const Step step : {Step{"0", false}, Step{"1", true}, Step{"0", false}}) {
    pressKey(VK_SCROLL);
    CHECK_MSG(savedActive(t, step.saved), std::string("IsKTDActive=") + step.saved + " was not saved");
    const bool active = step.saved[0] == '1';
    CHECK_MSG(watch.waitFor(true, step.scroll), "after Scroll Lock: seen " + quoted(watch.state()));
    settle(k);
    CHECK_MSG(waitHotKey(VK_NUMPAD5, active), "the slot keys do not follow the state");
    pause(Ms{1000});
    CHECK_EQ(watch.state(), LockWatch::expected(true, step.scroll));
    CHECK_MSG(t.read(kIni)->find(std::string("IsKTDActive=") + step.saved) != std::string::npos,
              "the state changed again after the press");
    CHECK_EQ(hotKeyFree(VK_NUMPAD5), !active);
  }

  // Inactive: Num Lock is left to the user.
  pressKey(VK_NUMLOCK);
  CHECK_MSG(watch.waitFor(false, false), "inactive, Num Lock did not go off: " + quoted(watch.state()));

  // Active again: it goes on, and a press of it is undone.
  pressKey(VK_SCROLL);
  CHECK_MSG(savedActive(t, "1"), "switching on was not saved");
  CHECK_MSG(watch.waitFor(true, true), "active again: seen " + quoted(watch.state()));
  settle(k);
  REQUIRE(waitHotKey(VK_NUMLOCK, true));
  pressKey(VK_NUMLOCK);
  pause(Ms{1000});
  CHECK_MSG(watch.waitFor(true, true), "Num Lock did not stay on: " + quoted(watch.state()));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("locks.the_hot_key_atoms_are_deleted_at_exit") {
  std::vector<std::string> names{keytide::kScrollLockHotkeyName, keytide::kNumLockHotkeyName};
  for (const keytide::KeySlot& key : keytide::kKeySlots) names.push_back(key.hotkeyName);
  // Atoms outlive a program that is killed (earlier runs may have left some):
  // give back every use first.
  for (const std::string& name : names) {
    for (int uses = 0; uses < 10000; ++uses) {
      const ATOM atom = GlobalFindAtomA(name.c_str());
      if (atom == 0) break;
      GlobalDeleteAtom(atom);
    }
    REQUIRE_MSG(GlobalFindAtomA(name.c_str()) == 0, "cannot clear the atom " + name);
  }

  t.write(kIni, lockIni("1"));
  KeytideProcess& k = t.start();
  REQUIRE(waitHotKey(VK_NUMPAD5, true));
  settle(k);
  REQUIRE(waitHotKey(VK_NUMLOCK, true));
  // Switching off and on registers the keys again.
  pressKey(VK_SCROLL);
  REQUIRE(savedActive(t, "0"));
  pressKey(VK_SCROLL);
  REQUIRE(savedActive(t, "1"));
  settle(k);
  REQUIRE(waitHotKey(VK_NUMLOCK, true));
  for (const std::string& name : names) CHECK_MSG(GlobalFindAtomA(name.c_str()) != 0, "no atom " + name);

  CHECK_EQ(k.close(), DWORD{0});
  for (const std::string& name : names) CHECK_MSG(GlobalFindAtomA(name.c_str()) == 0, "the atom " + name + " is left");
}
