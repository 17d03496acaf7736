// Start-up and shutdown seen from outside: the configuration file written at
// the first start, existing files left alone, the program staying resident and
// hidden, and its clean end on WM_CLOSE.
#include <set>
#include <string>

#include "Driver.h"
#include "model/Names.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr Ms kSettle{2500};  // start-up has run its one-second deferred part

// The built-in default text with the welcome screen switched off, so that the
// start-up does not block for its three seconds.
std::string quietDefaultText(TestContext& t) {
  std::string text = t.dataText("default-ktd.ini");
  const std::string on = "WelcomeScreen=1\r\n";
  auto at = text.find(on);
  REQUIRE_MSG(at != std::string::npos, "default-ktd.ini has no WelcomeScreen=1 line");
  return text.replace(at, on.size(), "WelcomeScreen=0\r\n");
}

}  // namespace

E2E_TEST("ini.first_start_writes_default_text") {
  const std::string expected = t.dataText("default-ktd.ini");
  // The expected file itself: 121 lines, each ended by CR LF, 1511 bytes.
  CHECK_EQ(expected.size(), size_t{1511});
  CHECK_EQ(splitLines(expected).size(), size_t{121});
  CHECK(expected.size() >= 2 && expected.compare(expected.size() - 2, 2, "\r\n") == 0);
  size_t bareLineFeeds = 0;
  for (size_t i = 0; i < expected.size(); ++i)
    if (expected[i] == '\n' && (i == 0 || expected[i - 1] != '\r')) ++bareLineFeeds;
  CHECK_EQ(bareLineFeeds, size_t{0});

  REQUIRE(!fileExists(t.path(kIni)));
  KeytideProcess& k = t.start();
  auto written = waitForFile(t.path(kIni), [&](const std::string& s) { return s == expected; });
  if (!written) {
    auto actual = t.read(kIni);
    CHECK_MSG(false, actual ? "ktd.ini differs from the default text: " + firstDifference(expected, *actual)
                            : std::string("ktd.ini was not created"));
  }
  CHECK_EQ(k.close(), DWORD{0});
  auto after = t.read(kIni);  // nothing is saved at exit
  CHECK_MSG(after == expected, "ktd.ini changed at exit: " + (after ? firstDifference(expected, *after) : "gone"));
}

E2E_TEST("ini.existing_file_left_alone") {
  struct Case {
    const char* folder;
    std::string content;
  };
  const Case cases[] = {
      {"empty", ""},
      // Hand-written: LF line ends, a comment, a lower-case section, a foreign
      // section, values the program reads differently, no final line end.
      {"handwritten",
       "; my keypad\n[numpadkey0]\nOSDLabel=Mine\nAction=0x1F\n\n[Foreign]\nkey=value\n"
       "[Settings]\nWelcomeScreen=0\n[IsActive]\nIsKTDActive=0\nIsOSDActive=0"},
  };
  for (const Case& c : cases) {
    const std::string ini = std::string(c.folder) + "\\" + kIni;
    auto checkUnchanged = [&](const char* when) {
      auto now = t.read(ini);
      CHECK_MSG(now == c.content, std::string(c.folder) + ": ktd.ini changed " + when + ": " +
                                      (now ? firstDifference(c.content, *now) : "it is gone"));
    };
    t.write(ini, c.content);
    KeytideProcess& k = t.start({.exe = t.installKeytide(std::string(c.folder) + "\\keytide.exe")});
    pause(kSettle);
    checkUnchanged("during start-up");
    CHECK_EQ(k.close(), DWORD{0});
    checkUnchanged("at exit");
  }
}

E2E_TEST("lifecycle.close_ends_with_exit_code_0") {
  // At three moments: as soon as the windows exist (the deferred start still
  // to come); during the first start's deferred part, whose welcome screen
  // holds the thread for three seconds; and once start-up has settled.
  {
    KeytideProcess& k = t.start({.exe = t.installKeytide("at_once\\keytide.exe")});
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    KeytideProcess& k = t.start({.exe = t.installKeytide("first_start\\keytide.exe")});
    pause(Ms{1500});
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    t.write("settled\\ktd.ini", quietDefaultText(t));
    KeytideProcess& k = t.start({.exe = t.installKeytide("settled\\keytide.exe")});
    pause(kSettle);
    CHECK(k.running());
    CHECK_EQ(k.close(), DWORD{0});
  }
}

E2E_TEST("lifecycle.resident_and_hidden") {
  t.write(kIni, quietDefaultText(t));
  KeytideProcess& k = t.start();
  pause(kSettle);
  REQUIRE_MSG(k.running(), "the program ended by itself");
  HWND main = k.mainWindow();
  CHECK_MSG(main != nullptr, "no editor window (class Tktdform, title Keytide)");
  // The program's windows: its forms (with the hints they own and their
  // lists' drop-down parts), the tray's top-level window, and one
  // message-only window; no window of its own just for a taskbar button.
  namespace names = keytide::names;
  const std::set<std::string> forms{names::kEditorWindowClass,      names::kTrayWindowClass,
                                    names::kSettingsWindowClass,    names::kAboutWindowClass,
                                    names::kWelcomeWindowClass,     names::kOsdTextWindowClass,
                                    names::kOsdProgressWindowClass, "ComboLBox",
                                    "IME",                          "MSCTFIME UI"};
  for (HWND window : findWindows(k.pid(), nullptr)) {
    if (GetWindow(window, GW_OWNER) != nullptr) continue;
    CHECK_MSG(forms.count(windowClassName(window)) == 1, "a window of no form: " + describeWindow(window));
  }
  // Message-only windows: ours, and the one COM makes for its apartment.
  int messageWindows = 0;
  for (HWND window = nullptr; (window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != k.pid()) continue;
    const std::string name = windowClassName(window);
    CHECK_MSG(name == names::kMessageWindowClass || name == "OleMainThreadWndClass",
              "a message-only window of no use: " + name);
    if (name == names::kMessageWindowClass) ++messageWindows;
  }
  CHECK_EQ(messageWindows, 1);
  // With the welcome screen off nothing at all is on the screen.
  for (HWND window : visibleWindows(k.pid())) CHECK_MSG(false, "a window is visible: " + describeWindow(window));
  // Resident: its message loop answers.
  CHECK_MSG(isResponsive(main), "the program's thread does not answer");
  CHECK_EQ(k.close(), DWORD{0});
}
