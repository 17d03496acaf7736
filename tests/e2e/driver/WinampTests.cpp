// The media-player keys seen from a fake player (fake_winamp.exe, window class
// "Winamp v1.x"), which records every request it receives: the sequences of
// the six keys for a playing, paused, stopped and empty player, and the start
// of the player named by its uninstall entry when there is none. Without any
// Winamp, the keys reach the foreground window (foreground_window.exe, which
// records its keys) as the keyboard's media keys.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "Driver.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp";
constexpr UINT kMarkMessage = WM_APP + 1;  // fake_winamp.exe's own messages
constexpr UINT kSetStateMessage = WM_APP + 2;
constexpr UINT kSetLengthMessage = WM_APP + 3;

constexpr WORD kPlayPauseKey = VK_NUMPAD8;
constexpr WORD kPreviousKey = VK_NUMPAD7;
constexpr WORD kNextKey = VK_NUMPAD9;
constexpr WORD kBackwardKey = VK_NUMPAD4;
constexpr WORD kStopKey = VK_NUMPAD5;
constexpr WORD kForwardKey = VK_NUMPAD6;

std::string playerKeysIni() {
  std::string text;
  const struct {
    int slot;
    int action;
  } keys[] = {{4, 26}, {3, 27}, {5, 25}, {7, 23}, {8, 28}, {9, 24}};
  for (const auto& key : keys)
    text += "[NumPadKey" + std::to_string(key.slot) + "]\r\nOSDLabel=W" + std::to_string(key.slot) +
            "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(key.action) + "\r\nSelectedFunction=0\r\n";
  return text + "[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

void startKeytide(TestContext& t) {
  t.write(kIni, playerKeysIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "the keypad was never grabbed");
  pause(Ms{500});  // Num Lock is registered right after the slot keys
}

std::string fakePlayerExe(TestContext& t) { return folderOf(t.config().markerExe) + "\\fake_winamp.exe"; }

struct FakePlayer {
  HWND window = nullptr;
  std::string log;

  std::vector<std::string> lines() const { return splitLines(readFile(log).value_or("")); }
  std::vector<std::string> linesAfterMark() const {
    const auto all = lines();
    const auto mark = std::find(all.rbegin(), all.rend(), "mark");
    return std::vector<std::string>(mark.base(), all.end());
  }
  bool tell(UINT message, WPARAM value = 0) const {
    DWORD_PTR reply = 0;
    return SendMessageTimeoutA(window, message, value, 0, SMTO_ABORTIFHUNG, 2000, &reply) != 0;
  }
  // Marks the log once the player has answered: what follows the mark came later.
  bool settle() const {
    return waitUntil([&] { return tell(kMarkMessage) && linesAfterMark().empty(); });
  }
};

FakePlayer startFakePlayer(TestContext& t, int state, int length) {
  const std::string exe = t.path("player\\Winamp.exe");
  REQUIRE(makeDirs(folderOf(exe)) && copyFile(fakePlayerExe(t), exe));
  KeytideProcess& process =
      t.start({.exe = exe,
               .args = "--state " + std::to_string(state) + " --length " + std::to_string(length),
               .waitForWindows = false});
  FakePlayer player{waitForWindow(process.pid(), kPlayerClass), t.path("player\\player.log")};
  REQUIRE_MSG(player.window != nullptr, "the fake player's window did not appear");
  return player;
}

// Marks the player's log, presses the key and compares what the player
// received after the mark.
void expectSequence(const FakePlayer& player, WORD key, const std::vector<std::string>& expected,
                    const std::string& what) {
  REQUIRE_MSG(player.settle(), what + ": the player's log never settled");
  pressKey(key);
  waitUntil([&] { return player.linesAfterMark().size() >= expected.size(); });
  pause(Ms{400});  // nothing more may follow
  const std::vector<std::string> received = player.linesAfterMark();
  CHECK_MSG(received == expected, what + ": got " + joined(received) + ", expected " + joined(expected));
}

std::string upperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Sets the player's uninstall entry for one test and puts back what was there.
class UninstallEntry {
 public:
  explicit UninstallEntry(const std::string& uninstallString)
      : previous_(regReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString")) {
    REQUIRE(regWriteString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", uninstallString));
  }
  ~UninstallEntry() {
    if (previous_) {
      regWriteString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", *previous_);
    } else {
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
    }
  }
  UninstallEntry(const UninstallEntry&) = delete;
  UninstallEntry& operator=(const UninstallEntry&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace

E2E_TEST("winamp.keys_send_the_requests_of_each_action_to_a_running_player") {
  startKeytide(t);
  FakePlayer player = startFakePlayer(t, 1, 3);
  struct PlayPauseCase {
    const char* what;
    int state;
    int length;
    std::vector<std::string> expected;
  };
  const PlayPauseCase playPause[] = {
      {"playing", 1, 3, {"user 0 0", "user 0 104", "user 0 104", "command 40046 0"}},
      {"paused", 3, 3, {"user 0 0", "user 0 104", "user 0 124", "user 0 104", "command 40046 0"}},
      {"stopped", 0, 3, {"user 0 0", "user 0 104", "user 0 124", "user 0 104", "command 40045 0"}},
      {"stopped, empty playlist", 0, 0, {"user 0 0", "user 0 104", "user 0 124"}},
  };
  for (const auto& c : playPause) {
    REQUIRE(player.tell(kSetStateMessage, static_cast<WPARAM>(c.state)));
    REQUIRE(player.tell(kSetLengthMessage, static_cast<WPARAM>(c.length)));
    expectSequence(player, kPlayPauseKey, c.expected, std::string("play/pause, ") + c.what);
  }

  REQUIRE(player.tell(kSetStateMessage, 1));
  REQUIRE(player.tell(kSetLengthMessage, 3));
  const struct {
    const char* what;
    WORD key;
    const char* command;
  } commands[] = {
      {"stop", kStopKey, "command 40047 0"},         {"next", kNextKey, "command 40048 0"},
      {"previous", kPreviousKey, "command 40044 0"}, {"forward", kForwardKey, "command 40148 0"},
      {"backward", kBackwardKey, "command 40144 0"},
  };
  for (const auto& c : commands) expectSequence(player, c.key, {c.command}, c.what);
}

E2E_TEST("winamp.keys_without_winamp_reach_the_foreground_window_as_media_keys") {
  REQUIRE_MSG(!regReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString").has_value(),
              "a Winamp uninstall entry is left in the prefix");
  startKeytide(t);
  const std::string log = t.path("window.log");
  startForegroundTestWindow(t, "--keys yes --log \"" + log + "\"");

  // Play/Pause, Next, Previous, Stop; the two seek keys have no media key.
  for (WORD key : {kPlayPauseKey, kNextKey, kPreviousKey, kStopKey, kBackwardKey, kForwardKey}) pressKey(key);
  const std::vector<std::string> expected = {"keydown 0xB3 marked", "keydown 0xB0 marked", "keydown 0xB1 marked",
                                             "keydown 0xB2 marked"};
  auto mediaKeyDowns = [&] {
    std::vector<std::string> downs;
    for (const std::string& line : splitLines(readFile(log).value_or("")))
      if (line.rfind("keydown 0xB", 0) == 0) downs.push_back(line);
    return downs;
  };
  waitUntil([&] { return mediaKeyDowns().size() >= expected.size(); });
  pause(Ms{500});  // nothing more may follow
  CHECK_MSG(mediaKeyDowns() == expected, "got " + joined(mediaKeyDowns()) + ", expected " + joined(expected));
  CHECK(FindWindowA(kPlayerClass, nullptr) == nullptr);
}

E2E_TEST("winamp.play_pause_without_player_starts_the_installed_one") {
  // Installed in a folder with a blank; a program where an unquoted command
  // line would be tried first must not run.
  const std::string folder = t.path("Program Files\\Winamp");
  REQUIRE(makeDirs(folder) && copyFile(fakePlayerExe(t), folder + "\\Winamp.exe"));
  t.installMarker("Program.exe");
  UninstallEntry entry("\"" + folder + "\\UninstWA.exe\"");
  const std::string log = folder + "\\player.log";
  startKeytide(t);

  // The other five keys never start the player.
  for (WORD key : {kStopKey, kNextKey, kPreviousKey, kForwardKey, kBackwardKey}) pressKey(key);
  pause(Ms{1500});
  CHECK_MSG(!fileExists(log) && FindWindowA(kPlayerClass, nullptr) == nullptr,
            "a key other than play/pause started the player");

  pressKey(kPlayPauseKey);
  const auto started = waitForFile(log, [](const std::string& s) { return s.find("\r\n") != std::string::npos; });
  REQUIRE_MSG(started.has_value(), "play/pause did not start the player");
  CHECK_EQ(splitLines(*started).front(), "start \"" + upperCase(folder) + "\\Winamp.exe\"");
  CHECK_EQ(readMarkerLog(t.markerLog()).size(), size_t{0});

  FakePlayer player;
  player.log = log;
  REQUIRE(waitUntil([&] { return (player.window = FindWindowA(kPlayerClass, nullptr)) != nullptr; }));
  // The first press found no window to ask; the second plays the (stopped,
  // three entries) player.
  expectSequence(player, kPlayPauseKey,
                 {"user 0 0", "user 0 104", "user 0 124", "user 0 104", "command 40045 0"}, "second press");
}
