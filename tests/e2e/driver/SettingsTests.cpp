// The [Settings] section and the start-with-Windows entry as start-up applies
// them: the Run value under HKEY_CURRENT_USER with the executable's quoted
// path or empty data, the Run key made only when it is needed, the
// executable-named value removed, the Scroll Lock option taken from the file,
// and a load error reported without stopping the start.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "Driver.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Keytide";

// Slot 8 (keypad 5) shows a label and runs nothing; the welcome screen is off
// so that start-up does not block.
std::string iniWithSettings(const std::string& settingsLines) {
  return "[NumPadKey8]\r\nOSDLabel=Five\r\nFileName=\r\nGoToAdress=\r\nAction=0\r\nSelectedFunction=1\r\n"
         "[Settings]\r\nWelcomeScreen=0\r\n" +
         settingsLines + "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

bool sameWindowsPath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The general error box of a process (caption "Keytide"), once visible.
HWND waitForGeneralErrorBox(DWORD pid) {
  HWND box = nullptr;
  waitUntil([&] {
    for (HWND dialog : findWindows(pid, "#32770", "Keytide"))
      if (isVisible(dialog)) box = dialog;
    return box != nullptr;
  });
  return box;
}

// The current user's Run key with every value it holds, put back as it was
// when the test ends (the tests below remove values and the key itself).
class RunKeyGuard {
 public:
  RunKeyGuard() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return;
    existed_ = true;
    for (DWORD index = 0;; ++index) {
      char name[16384];
      DWORD nameSize = sizeof name;
      DWORD type = 0;
      DWORD dataSize = 0;
      if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
      Value value{std::string(name, nameSize), type, std::vector<BYTE>(dataSize)};
      nameSize = sizeof name;
      if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, value.data.data(), &dataSize) == ERROR_SUCCESS)
        values_.push_back(std::move(value));
    }
    RegCloseKey(key);
  }
  RunKeyGuard(const RunKeyGuard&) = delete;
  RunKeyGuard& operator=(const RunKeyGuard&) = delete;
  ~RunKeyGuard() {
    RegDeleteKeyExA(HKEY_CURRENT_USER, kRunKey, KEY_WOW64_64KEY, 0);
    if (!existed_) return;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    for (const Value& value : values_)
      RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
  }

 private:
  struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
  };
  bool existed_ = false;
  std::vector<Value> values_;
};

}  // namespace

E2E_TEST("settings.run_value_under_current_user_follows_auto_load") {
  RunKeyGuard restore;
  REQUIRE(regDeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue));
  regDeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
  // A value named after the executable is not the program's: it goes at start.
  REQUIRE(regWriteString(HKEY_CURRENT_USER, kRunKey, "keytide.exe", "C:\\elsewhere\\keytide.exe"));

  {
    t.write("on\\" + std::string(kIni), iniWithSettings("AutoLoad=1\r\n"));
    KeytideProcess& k = t.start({.exe = t.installKeytide("on\\keytide.exe")});
    std::optional<std::string> data;
    CHECK_MSG(waitUntil([&] { return (data = regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue)).has_value(); }),
              "no value \"Keytide\" under HKEY_CURRENT_USER\\" + std::string(kRunKey));
    CHECK_MSG(data && sameWindowsPath(*data, "\"" + k.exe() + "\""),
              "Run data " + show(data) + ", expected " + quoted("\"" + k.exe() + "\""));
    CHECK_MSG(waitUntil([] { return !regReadString(HKEY_CURRENT_USER, kRunKey, "keytide.exe"); }),
              "the executable-named Run value is still there");
    CHECK_EQ(regReadString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue), std::optional<std::string>());
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    // Off: the value stays, with empty data.
    t.write("off\\" + std::string(kIni), iniWithSettings("AutoLoad=0\r\n"));
    KeytideProcess& k = t.start({.exe = t.installKeytide("off\\keytide.exe")});
    CHECK_MSG(waitUntil([] { return regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue) == std::string(); }),
              "Run data " + show(regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue)) + ", expected empty");
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    // A missing key means on; the old unquoted value of this program is quoted.
    const std::string exe = t.installKeytide("default\\keytide.exe");
    REQUIRE(regWriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, exe));
    t.write("default\\" + std::string(kIni), iniWithSettings(""));
    KeytideProcess& k = t.start({.exe = exe});
    CHECK_MSG(waitUntil([&] {
                auto data = regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue);
                return data && sameWindowsPath(*data, "\"" + k.exe() + "\"");
              }),
              "Run data " + show(regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue)) + ", expected " +
                  quoted(k.exe()));
    CHECK_EQ(k.close(), DWORD{0});
  }
}

E2E_TEST("settings.a_missing_run_key_is_made_only_when_auto_load_needs_it") {
  RunKeyGuard restore;
  REQUIRE(RegDeleteKeyExA(HKEY_CURRENT_USER, kRunKey, KEY_WOW64_64KEY, 0) == ERROR_SUCCESS);
  {
    // Off, with no key: nothing to do, no box, no key.
    t.write("off\\" + std::string(kIni), iniWithSettings("AutoLoad=0\r\n"));
    KeytideProcess& k = t.start({.exe = t.installKeytide("off\\keytide.exe")});
    awaitStarted(k);
    CHECK_MSG(findWindows(k.pid(), "#32770").empty(), "a box came up: " + dialogText(findWindows(k.pid(), "#32770")[0]));
    HKEY key;
    CHECK_MSG(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_FILE_NOT_FOUND,
              "the Run key was made for AutoLoad=0");
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    t.write("on\\" + std::string(kIni), iniWithSettings("AutoLoad=1\r\n"));
    KeytideProcess& k = t.start({.exe = t.installKeytide("on\\keytide.exe")});
    awaitStarted(k);
    CHECK_EQ(regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue), "\"" + k.exe() + "\"");
    CHECK_MSG(findWindows(k.pid(), "#32770").empty(), "a box came up");
    CHECK_EQ(k.close(), DWORD{0});
  }
}

E2E_TEST("settings.undecodable_colour_is_reported_and_the_start_goes_on") {
  RunKeyGuard restore;
  t.write(kIni, iniWithSettings("OSDColor=Limegreen\r\n"));
  KeytideProcess& k = t.start();
  HWND box = waitForGeneralErrorBox(k.pid());
  REQUIRE_MSG(box != nullptr, "no error box");
  CHECK_EQ(dialogText(box), std::string("'Limegreen' is not a valid integer value."));
  CHECK(answerDialog(box));
  awaitStarted(k);
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "the keypad was never grabbed after the box");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("settings.scroll_lock_option_comes_from_the_file") {
  RunKeyGuard restore;
  // The same press with the option on and off: on, it switches the program
  // off and saves that; off, it only toggles the light.
  for (const bool option : {true, false}) {
    const std::string folder = option ? "on" : "off";
    const std::string written = iniWithSettings(option ? "ScrollLock=1\r\n" : "ScrollLock=0\r\n");
    t.write(folder + "\\" + kIni, written);
    KeytideProcess& k = t.start({.exe = t.installKeytide(folder + "\\keytide.exe")});
    awaitStarted(k);
    REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), folder + ": the keypad was never grabbed");
    pause(Ms{500});  // the rest of the deferred start
    CHECK(pressKey(VK_SCROLL));
    if (option) {
      CHECK_MSG(waitHotKey(VK_NUMPAD5, false), "on: Scroll Lock did not switch the program off");
      CHECK_MSG(waitForFile(t.path(folder + "\\" + kIni),
                            [](const std::string& text) { return text.find("IsKTDActive=0") != std::string::npos; })
                    .has_value(),
                "on: the switch was not saved");
    } else {
      pause(Ms{1000});
      CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "off: Scroll Lock switched the program off");
      CHECK_EQ(t.read(folder + "\\" + kIni), written);  // nothing saved
    }
    CHECK_EQ(k.close(), DWORD{0});
  }
}
