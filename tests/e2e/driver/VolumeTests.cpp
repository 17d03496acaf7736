// The master-volume keys on the real mixer, and held keys. The mixer's volume belongs to the
// audio session of the process that sets it (Windows since Vista, and Wine),
// so this driver cannot read the program's level with the mixer API: it
// reads it where the program shows it, in the width of the volume bar,
// (screen width div 40) x ((left + right) div 3276).
//
// Under Wine the session's PulseAudio server (scripts/pulse-null.sh) can
// switch its default sink and can be stopped so that it takes connections but
// never answers.
#include <functional>
#include <memory>
#include <string>

#include "Driver.h"  // windows.h first

#include <mmsystem.h>

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kProgressWindowClass[] = "TktdOSDProgressForm";

// Keypad "*" mute, "-" volume down, "+" volume up (slots 1, 2, 6 as in the
// built-in file); the OSD on with a ten-second time-out so that the bar stays
// up between presses; the welcome screen off.
std::string volumeIni() {
  auto slot = [](int index, const char* label, int action) {
    return "[NumPadKey" + std::to_string(index) + "]\r\nOSDLabel=" + label +
           "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(action) + "\r\nSelectedFunction=0\r\n";
  };
  return slot(1, "Mute", 12) + slot(2, "Vol-", 21) + slot(6, "Vol+", 22) +
         "[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=0\r\nOSDTimeOut=9\r\n"
         "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n";
}

void press(WORD vk, int times) {
  for (int n = 0; n < times; ++n) CHECK(pressKey(vk));
}

int barWidth(const KeytideProcess& k) {
  HWND bar = k.window(kProgressWindowClass);
  if (bar == nullptr) return -1;
  const RECT rect = windowRect(bar);
  return rect.right - rect.left;
}

// The bar for a level on both channels. A uniform volume control (Wine's
// mixer has one) is read with one channel, so right is -1 and adds -1; a
// per-channel control gives right = left.
bool barShows(const KeytideProcess& k, int level) {
  const int stepWidth = screenSize().cx / 40;
  const int width = barWidth(k);
  return width == stepWidth * ((level - 1) / 3276) || width == stepWidth * ((2 * level) / 3276);
}

void awaitBar(const KeytideProcess& k, int level, const char* after) {
  CHECK_MSG(waitUntil([&] { return barShows(k, level); }),
            std::string("after ") + after + ": bar " + std::to_string(barWidth(k)) + " px wide, expected level " +
                std::to_string(level) + " (" + std::to_string(screenSize().cx / 40) + " px per 3276)");
}

// Wine's audio driver list (HKCU\Software\Wine\Drivers, "Audio") set empty
// for the programs started while this lives, then put back.
class NoAudioDriver {
 public:
  NoAudioDriver() : previous_(regReadString(HKEY_CURRENT_USER, kWineDrivers, "Audio")) {
    REQUIRE(regWriteString(HKEY_CURRENT_USER, kWineDrivers, "Audio", ""));
  }
  NoAudioDriver(const NoAudioDriver&) = delete;
  NoAudioDriver& operator=(const NoAudioDriver&) = delete;
  ~NoAudioDriver() {
    if (previous_) {
      regWriteString(HKEY_CURRENT_USER, kWineDrivers, "Audio", *previous_);
    } else {
      regDeleteValue(HKEY_CURRENT_USER, kWineDrivers, "Audio");
    }
  }

 private:
  static constexpr char kWineDrivers[] = "Software\\Wine\\Drivers";
  std::optional<std::string> previous_;
};

// The session's sound server, run by scripts/pulse-null.sh (Wine only: the
// driver starts the script as a Unix program). Each request waits until the
// script has done it.
class SoundServer {
 public:
  SoundServer() {
    auto unixPath = reinterpret_cast<char*(CDECL*)(const WCHAR*)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char server[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("PULSE_SERVER", server, sizeof server);
    const std::string address(server, length < sizeof server ? length : 0);
    REQUIRE_MSG(unixPath != nullptr && address.rfind("unix:", 0) == 0 && address.size() > 12,
                "no PulseAudio server of the harness (PULSE_SERVER " + show(address) + ")");
    dir_ = address.substr(5, address.size() - 5 - 7);  // "unix:" DIR "/native"
    const std::wstring data(t().config().dataDir.begin(), t().config().dataDir.end());
    char* dataDir = unixPath(data.c_str());
    REQUIRE(dataDir != nullptr);
    script_ = std::string(dataDir) + "/../../../scripts/pulse-null.sh";
    HeapFree(GetProcessHeap(), 0, dataDir);
  }

  bool pause() { return run("pause", "", [&] { return fileExists(file("paused")); }); }
  bool resume() { return run("resume", "", [&] { return !fileExists(file("paused")); }); }
  bool setDefaultSink(const std::string& sink) {
    return run("default", sink, [&] { return readFile(file("default-sink")) == sink; });
  }

 private:
  static TestContext& t() { return currentTest(); }
  std::string file(const std::string& name) const { return "Z:" + dir_ + "\\pulse\\" + name; }
  // False, with a failure recorded, when the script could not do it.
  bool run(const std::string& command, const std::string& argument, const std::function<bool()>& done) {
    // Wine runs a Unix program as a process of its own, with no handle to wait on.
    std::string line = "/bin/sh \"" + script_ + "\" " + command + " \"" + dir_ + "\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CHECK_MSG(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process),
                   "cannot run " + line))
      return false;
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    return CHECK_MSG(waitUntil(done), "the sound server did not " + command + " " + argument);
  }

  std::string dir_;     // the server's folder, a Unix path
  std::string script_;  // Unix path
};

// The server stopped for as long as this lives.
class StoppedSoundServer {
 public:
  explicit StoppedSoundServer(SoundServer& server) : server_(server) { REQUIRE(server_.pause()); }
  ~StoppedSoundServer() { server_.resume(); }
  StoppedSoundServer(const StoppedSoundServer&) = delete;
  StoppedSoundServer& operator=(const StoppedSoundServer&) = delete;

 private:
  SoundServer& server_;
};

HWND visibleDialog(DWORD pid) {
  for (HWND dialog : findWindows(pid, "#32770"))
    if (isVisible(dialog)) return dialog;
  return nullptr;
}

}  // namespace

E2E_TEST("volume.keys_step_the_master_level_within_its_limits") {
  // A sound device for Wine comes from the harness (scripts/pulse-null.sh).
  REQUIRE_MSG(mixerGetNumDevs() > 0, "no audio mixer: the harness should run a PulseAudio null sink");
  t.write(kIni, volumeIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_ADD), "the keypad was never grabbed");

  // 66 presses reach the top from any level; volume moves in both directions
  // by 1000 per press, and down stops at 0.
  press(VK_ADD, 66);
  awaitBar(k, 65535, "66 x Vol+");
  press(VK_SUBTRACT, 10);
  awaitBar(k, 55535, "10 x Vol-");
  // Mute leaves the level alone: one step up from where it was.
  press(VK_MULTIPLY, 1);
  press(VK_ADD, 1);
  awaitBar(k, 56535, "Mute, Vol+");
  press(VK_MULTIPLY, 1);  // sound on again
  press(VK_SUBTRACT, 60);
  awaitBar(k, 0, "60 x Vol-");
  press(VK_ADD, 4);
  awaitBar(k, 4000, "4 x Vol+ from 0");

  // The default sink switched between two presses: Wine's one "PulseAudio"
  // device follows it under the same identity, so the keys go on from their
  // level, with no message (DefaultOutputVolume_test covers a new identity).
  SoundServer server;
  REQUIRE(server.setDefaultSink("keytide_null2"));
  press(VK_ADD, 1);
  awaitBar(k, 5000, "Vol+ after the default sink switched");
  CHECK(server.setDefaultSink("keytide_null"));

  CHECK_MSG(visibleDialog(k.pid()) == nullptr, "a message box is up: " + dialogText(visibleDialog(k.pid())));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("volume.start_with_the_sound_server_not_answering") {
  // Every call into the sound system waits on a server that never answers:
  // the program starts all the same, and a volume key shows no value.
  SoundServer server;
  t.write(kIni, volumeIni());
  auto stopped = std::make_unique<StoppedSoundServer>(server);
  KeytideProcess& k = t.start();
  awaitStarted(k);  // the tray icon is up
  REQUIRE_MSG(!hotKeyFree(VK_ADD), "the keypad was never grabbed");
  press(VK_ADD, 1);
  CHECK_MSG(waitUntil([&] {
              HWND bar = k.window(kProgressWindowClass);
              return bar != nullptr && isVisible(bar) && barWidth(k) == 0;
            }),
            "the bar is " + std::to_string(barWidth(k)) + " px wide, expected 0");
  // Later presses do not wait behind the call that hangs.
  press(VK_SUBTRACT, 3);
  CHECK(isResponsive(k.mainWindow(), Ms{1000}));

  // The server answers again: a press finds a level again.
  stopped.reset();
  CHECK_MSG(waitUntil([&] {
              press(VK_ADD, 1);
              pause(Ms{300});
              return barWidth(k) > 0;
            }),
            "after the server answered again, the bar stayed " + std::to_string(barWidth(k)) + " px wide");
  CHECK_MSG(visibleDialog(k.pid()) == nullptr, "a message box is up: " + dialogText(visibleDialog(k.pid())));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("volume.keys_without_a_mixer_change_nothing_and_say_nothing") {
  // Wine: an empty driver list in Wine's own setting gives the programs
  // started meanwhile no sound device, hence no mixer (a program's unix
  // environment, PULSE_SERVER included, comes from its parent's unix side and
  // cannot be changed from here). With a mixer, a new process's level is its
  // session's full 65535, and Vol+ would show a wide bar.
  REQUIRE_MSG(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr,
              "this test removes the sound device through a Wine setting; it needs Wine");
  NoAudioDriver noSound;
  t.write(kIni, volumeIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_ADD), "the keypad was never grabbed");
  press(VK_ADD, 2);
  press(VK_MULTIPLY, 1);
  press(VK_SUBTRACT, 1);
  press(VK_ADD, 1);
  // The last Vol+ shows the bar with no steps.
  CHECK_MSG(waitUntil([&] {
              HWND bar = k.window(kProgressWindowClass);
              return bar != nullptr && isVisible(bar) && barWidth(k) == 0;
            }),
            "the bar is " + std::to_string(barWidth(k)) + " px wide, expected 0");
  pause(Ms{500});
  CHECK_MSG(barWidth(k) == 0, "the bar grew to " + std::to_string(barWidth(k)) + " px");
  CHECK_MSG(visibleDialog(k.pid()) == nullptr, "a message box is up: " + dialogText(visibleDialog(k.pid())));
  CHECK(isResponsive(k.mainWindow()));
  CHECK_EQ(k.close(), DWORD{0});
}

// A held key is key-downs without a key-up (Wine sends a hot key for each,
// whatever the registration asks): a file runs once, Vol+ ramps, a held or
// pressed-again key opens no second box of its text, other keys still work.
E2E_TEST("volume.held_keys_act_once_but_vol_plus_ramps_and_one_box_per_text") {
  REQUIRE_MSG(mixerGetNumDevs() > 0, "no audio mixer: the harness should run a PulseAudio null sink");
  const std::string marker = t.installMarker();
  const std::string missing = t.path("no such program.exe");
  t.write(kIni, "[NumPadKey0]\r\nFileName=" + missing + "\r\nSelectedFunction=1\r\n[NumPadKey4]\r\nFileName=" +
                    marker + "\r\nSelectedFunction=1\r\n" + volumeIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_ADD), "the keypad was never grabbed");
  const auto hold = [](WORD vk) {
    for (int n = 0; n < 6; ++n, pause(Ms{40})) CHECK(keyDown(vk));
    CHECK(keyUp(vk));
  };

  hold(VK_NUMPAD8);
  CHECK_MSG(waitForMarkerRuns(t.markerLog(), 1).has_value(), "the held file key did nothing");
  press(VK_SUBTRACT, 66);
  awaitBar(k, 0, "66 x Vol-");
  hold(VK_ADD);
  awaitBar(k, 6000, "Vol+ held for six key-downs");
  CHECK_EQ(readMarkerLog(t.markerLog()).size(), size_t{1});

  hold(VK_DIVIDE);
  REQUIRE_MSG(waitUntil([&] { return visibleDialog(k.pid()) != nullptr; }), "the missing file showed no box");
  press(VK_DIVIDE, 3);
  press(VK_NUMPAD8, 1);
  CHECK_MSG(waitForMarkerRuns(t.markerLog(), 2).has_value(), "a key pressed while the box was up did nothing");
  pause(Ms{500});
  std::string boxes;
  for (HWND box : findWindows(k.pid(), "#32770"))
    if (isVisible(box)) boxes += dialogText(box) + "\n";
  CHECK_EQ(boxes, "File \"" + missing + "\" does not exists!\n");
  CHECK_EQ(k.close(), DWORD{0});  // at once, with the box up
}
