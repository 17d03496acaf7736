// The program's face in the tray: the icon coming up after start, the left
// click that switches the program, the tray menu and its commands, the icon
// brought back after the taskbar is made anew, and only one copy running.
#include <windows.h>
// windows.h first: shellapi.h depends on it.
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Driver.h"
#include "model/Names.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";

// Keypad keys in slot order.
constexpr WORD kSlotKeys[15] = {VK_DIVIDE,  VK_MULTIPLY, VK_SUBTRACT, VK_NUMPAD7, VK_NUMPAD8,
                                VK_NUMPAD9, VK_ADD,      VK_NUMPAD4,  VK_NUMPAD5, VK_NUMPAD6,
                                VK_NUMPAD1, VK_NUMPAD2,  VK_NUMPAD3,  VK_NUMPAD0, VK_DECIMAL};

// Slot 8 (keypad 5) runs `file` with label "Five"; the welcome screen is off.
std::string trayIni(const std::string& active, const std::string& animate = "1", const std::string& file = "",
                    const std::string& osd = "1") {
  return "[NumPadKey8]\r\nOSDLabel=Five\r\nFileName=" + file +
         "\r\nGoToAdress=\r\nAction=0\r\nSelectedFunction=1\r\n"
         "[Settings]\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=" +
         animate + "\r\n[IsActive]\r\nIsKTDActive=" + active + "\r\nIsOSDActive=" + osd + "\r\n";
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool slotKeysFree() {
  return std::all_of(std::begin(kSlotKeys), std::end(kSlotKeys), [](WORD vk) { return hotKeyFree(vk); });
}
bool slotKeysHeld() {
  return std::none_of(std::begin(kSlotKeys), std::end(kSlotKeys), [](WORD vk) { return hotKeyFree(vk); });
}

// The picture a program shows at rest (the inactive or the still active one),
// taken from a copy started just for that.
std::vector<std::uint32_t> restingPicture(TestContext& t, const std::string& folder, const std::string& ini) {
  t.write(folder + "\\" + kIni, ini);
  KeytideProcess& k = t.start({.exe = t.installKeytide(folder + "\\keytide.exe")});
  awaitStarted(k);
  const std::vector<std::uint32_t> picture = settledTrayIconMiddle(k);
  saveScreen(t.path(folder + "\\tray.bmp"));
  CHECK_EQ(k.close(), DWORD{0});
  CHECK_MSG(waitUntil([&] { return !trayIconRect(k).has_value(); }), "the icon stayed after the program ended");
  return picture;
}

struct MenuShot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The menu once it has been painted (two looks alike).
MenuShot menuShot(HWND menu) {
  const RECT rect = windowRect(menu);
  MenuShot shot{rect.right - rect.left, rect.bottom - rect.top, {}};
  waitUntil([&] {
    pause(Ms{150});
    auto pixels = screenPixels(rect);
    const bool settled = pixels == shot.pixels;
    shot.pixels = std::move(pixels);
    return settled;
  });
  return shot;
}

// The box around the pixels that differ between two pictures of a menu.
std::optional<RECT> changedArea(const MenuShot& a, const MenuShot& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return std::nullopt;
  std::optional<RECT> box;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const size_t at = static_cast<size_t>(y) * a.width + x;
      if (a.pixels[at] == b.pixels[at]) continue;
      if (!box) box = RECT{x, y, x + 1, y + 1};
      box->left = std::min<LONG>(box->left, x);
      box->top = std::min<LONG>(box->top, y);
      box->right = std::max<LONG>(box->right, x + 1);
      box->bottom = std::max<LONG>(box->bottom, y + 1);
    }
  }
  return box;
}

// Opens the tray menu with the right button; the menu window, or nullptr.
HWND openTrayMenu(const KeytideProcess& k) {
  if (!clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN)) return nullptr;
  return waitForPopupMenu(k.pid());
}

// The tray menu's commands in keyboard order.
enum Command { kShow = 1, kActive, kOsdEnabled, kHelp, kAbout, kExit };

void chooseTrayCommand(const KeytideProcess& k, Command command) {
  HWND menu = openTrayMenu(k);
  REQUIRE_MSG(menu != nullptr, "no menu opened on the right button");
  CHECK_MSG(chooseFromMenu(menu, command), "the menu stayed open after a command was chosen");
}

}  // namespace

E2E_TEST("tray.icon_comes_after_start_and_a_left_click_switches_the_program") {
  const std::vector<std::uint32_t> inactive = restingPicture(t, "inactive", trayIni("0"));
  const std::vector<std::uint32_t> stillActive = restingPicture(t, "still", trayIni("1", "0"));
  REQUIRE_MSG(!inactive.empty() && !stillActive.empty(), "the icon's pictures could not be read from the screen");
  CHECK_MSG(inactive != stillActive, "the inactive picture looks like the active one");

  t.write(kIni, trayIni("1"));
  KeytideProcess& k = t.start();
  // The windows exist at once; the icon comes with the deferred start.
  CHECK_MSG(!trayIconPresent(k), "the icon was up before the deferred start");
  awaitStarted(k);
  CHECK_MSG(trayIconPictures(k, 3, kTrayAnimationWait) >= 3, "the icon is not animated while active");
  CHECK(slotKeysHeld());

  REQUIRE(clickTrayIcon(k));
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsKTDActive=0"); }),
            "switching off was not saved");
  CHECK_MSG(slotKeysFree(), "a slot key is still held after the click");
  CHECK_MSG(waitHotKey(VK_NUMLOCK, false), "Num Lock is still held after the click");
  if (!waitUntil([&] { return trayIconMiddle(k) == inactive; })) {
    saveScreen(t.path("clicked-off.bmp"));
    CHECK_MSG(false, "the icon does not show the inactive picture (see clicked-off.bmp, inactive\\tray.bmp)");
  }
  CHECK_MSG(findWindows(k.pid(), "#32768").empty() || !isVisible(findWindows(k.pid(), "#32768").front()),
            "a left click opened a menu");

  // Two clicks within the double-click time are a double click: one click.
  pause(Ms{GetDoubleClickTime() + 200});
  REQUIRE(clickTrayIcon(k));
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsKTDActive=1"); }),
            "switching on was not saved");
  CHECK_MSG(slotKeysHeld(), "the slot keys were not taken again");
  CHECK_MSG(waitHotKey(VK_NUMLOCK, true), "Num Lock is not held again");
  CHECK_MSG(trayIconPictures(k, 3, kTrayAnimationWait) >= 3, "the animation did not start again");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.right_click_opens_the_menu_with_its_items_and_check_marks") {
  t.write(kIni, trayIni("1", "1", "", "0"));
  KeytideProcess& k = t.start();
  awaitStarted(k);

  HWND menu = openTrayMenu(k);
  REQUIRE_MSG(menu != nullptr, "no menu opened on the right button");
  saveScreen(t.path("tray-menu.bmp"));
  // Windows lets another process read a menu's items. Wine keeps a menu in
  // the process that made it, so there the items are checked by what they do
  // (the other tray tests choose each by its place) and the check marks by
  // what the menu shows.
  if (const auto items = menuItems(menu)) {
    const std::vector<std::string> expected{"Show...", "", "Active", "OSD Enabled", "", "Help", "About...", "", "Exit"};
    REQUIRE_EQ(items->size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      CHECK_EQ((*items)[i].caption, expected[i]);
      CHECK_EQ((*items)[i].separator, expected[i].empty());
    }
    CHECK_MSG((*items)[2].checked, "\"Active\" is not checked while active");
    CHECK_MSG(!(*items)[3].checked, "\"OSD Enabled\" is checked with the OSD off");
  }
  const MenuShot activeOnly = menuShot(menu);

  // A click elsewhere closes the menu and runs nothing.
  const std::string before = *t.read(kIni);
  clickAt(POINT{screenSize().cx / 2, screenSize().cy / 2});
  CHECK_MSG(waitUntil([&] { return !isVisible(menu); }), "the menu stayed open after a click elsewhere");
  CHECK_EQ(*t.read(kIni), before);

  // The check marks follow the flags, each on its own item: "OSD Enabled"
  // below "Active".
  chooseTrayCommand(k, kOsdEnabled);
  REQUIRE(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsOSDActive=1"); }));
  menu = openTrayMenu(k);
  REQUIRE(menu != nullptr);
  const MenuShot both = menuShot(menu);
  pressKey(VK_ESCAPE);
  CHECK_MSG(waitUntil([&] { return !isVisible(menu); }), "Esc did not close the menu");
  chooseTrayCommand(k, kActive);
  REQUIRE(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsKTDActive=0"); }));
  menu = openTrayMenu(k);
  REQUIRE(menu != nullptr);
  const MenuShot osdOnly = menuShot(menu);
  pressKey(VK_ESCAPE);

  const std::optional<RECT> osdMark = changedArea(activeOnly, both);
  const std::optional<RECT> activeMark = changedArea(both, osdOnly);
  REQUIRE_MSG(osdMark && activeMark, "a check mark did not change on the screen");
  for (const RECT& mark : {*osdMark, *activeMark}) {
    CHECK_MSG(mark.right - mark.left < both.width / 3 && mark.right < both.width / 2,
              "more than a check mark changed: x " + std::to_string(mark.left) + ".." + std::to_string(mark.right));
  }
  CHECK_MSG(activeMark->bottom <= osdMark->top, "the \"Active\" mark is not above the \"OSD Enabled\" mark");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.osd_enabled_off_stops_the_label_but_not_the_action") {
  const std::string marker = t.installMarker();
  t.write(kIni, trayIni("1", "1", marker));
  KeytideProcess& k = t.start();
  awaitStarted(k);

  chooseTrayCommand(k, kOsdEnabled);
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsOSDActive=0"); }),
            "switching the OSD off was not saved");
  pressKey(VK_NUMPAD5);
  CHECK_MSG(waitForMarkerRuns(t.markerLog(), 1).has_value(), "the key's file was not run");
  pause(Ms{700});
  HWND label = k.window(keytide::names::kOsdTextWindowClass);
  CHECK_MSG(!isVisible(label), "the OSD label was shown with the OSD off");

  chooseTrayCommand(k, kOsdEnabled);
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsOSDActive=1"); }),
            "switching the OSD on was not saved");
  pressKey(VK_NUMPAD5);
  CHECK_MSG(waitUntil([&] { return isVisible(k.window(keytide::names::kOsdTextWindowClass)); }),
            "the OSD label did not come back");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.exit_ends_the_program_and_gives_every_key_back") {
  t.write(kIni, trayIni("1"));
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE(waitHotKey(VK_NUMLOCK, true));
  const std::string before = *t.read(kIni);

  HWND menu = openTrayMenu(k);
  REQUIRE_MSG(menu != nullptr, "no menu opened on the right button");
  CHECK_MSG(chooseFromMenu(menu, kExit), "the menu stayed open after Exit was chosen");
  CHECK_EQ(k.waitExit(), std::optional<DWORD>{0});
  CHECK_MSG(slotKeysFree() && hotKeyFree(VK_SCROLL) && hotKeyFree(VK_NUMLOCK),
            "a key is still held after the program ended");
  CHECK_MSG(waitUntil([&] { return !trayIconRect(k).has_value(); }), "the icon stayed after the program ended");
  CHECK_EQ(*t.read(kIni), before);
}

E2E_TEST("tray.show_takes_the_icon_away_until_the_window_goes_back") {
  const std::string marker = t.installMarker();
  t.write(kIni, trayIni("1", "1", marker));
  KeytideProcess& k = t.start();
  awaitStarted(k);

  chooseTrayCommand(k, kShow);
  CHECK_MSG(waitUntil([&] { return isVisible(k.mainWindow()); }), "\"Show...\" did not show the main window");
  CHECK_MSG(waitForTrayIcon(k, false), "the icon stayed while the main window is shown");
  pressKey(VK_NUMPAD5);
  pause(Ms{800});
  CHECK_EQ(readMarkerLog(t.markerLog()).size(), size_t{0});

  // Esc is the editor's Cancel: the window goes back to the tray.
  pressKey(VK_ESCAPE);
  CHECK_MSG(waitUntil([&] { return !isVisible(k.mainWindow()); }), "Esc did not hide the main window");
  CHECK_MSG(waitForTrayIcon(k), "the icon did not come back");
  pressKey(VK_NUMPAD5);
  CHECK_MSG(waitForMarkerRuns(t.markerLog(), 1).has_value(), "keys do nothing back in the tray");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.about_disables_the_tray_and_the_main_window_until_it_closes") {
  t.write(kIni, trayIni("1"));
  KeytideProcess& k = t.start();
  awaitStarted(k);
  const std::string before = *t.read(kIni);

  chooseTrayCommand(k, kAbout);
  HWND about = k.window(keytide::names::kAboutWindowClass);
  CHECK_MSG(waitUntil([&] { return isVisible(about); }), "the About window did not come");
  CHECK_MSG(waitUntil([&] { return !IsWindowEnabled(k.mainWindow()); }),
            "the main window is enabled while About is up");
  CHECK_MSG(taskbarWindows(k.pid()) == std::vector<HWND>{about}, "About has no taskbar button of its own");
  clickTrayIcon(k);
  clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN);
  pause(Ms{800});
  CHECK_MSG(!isVisible(waitForPopupMenu(k.pid(), Ms{0})), "the tray opened its menu while About is up");
  CHECK_EQ(*t.read(kIni), before);

  PostMessageA(about, WM_CLOSE, 0, 0);
  CHECK_MSG(waitUntil([&] { return !isVisible(about); }), "the About window did not close");
  CHECK(IsWindow(about));
  CHECK_MSG(IsWindowEnabled(k.mainWindow()), "the main window stayed disabled");
  CHECK_MSG(taskbarWindows(k.pid()).empty(), "a taskbar button stayed after About closed");
  clickTrayIcon(k);
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return contains(s, "IsKTDActive=0"); }),
            "the tray did not answer the mouse after About closed");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.help_opens_the_page_through_its_handler_or_says_it_is_missing") {
  const std::string marker = t.installMarker();
  // The .htm type handed to the marker program for this test.
  const auto oldType = regReadString(HKEY_CLASSES_ROOT, ".htm", "");
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, ".htm", "", "KeytideTest.Page"));
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "KeytideTest.Page\\shell\\open\\command", "", "\"" + marker + "\" \"%1\""));
  t.write("Help\\topics.htm", "<html><body>Keytide</body></html>");
  t.write(kIni, trayIni("1"));
  KeytideProcess& k = t.start();
  awaitStarted(k);

  chooseTrayCommand(k, kHelp);
  const auto runs = waitForMarkerRuns(t.markerLog(), 1);
  if (oldType) regWriteString(HKEY_CLASSES_ROOT, ".htm", "", *oldType);
  REQUIRE_MSG(runs.has_value(), "the help page was not opened");
  CHECK_MSG(contains((*runs)[0].commandLine, "Help\\topics.htm"), "opened: " + (*runs)[0].commandLine);

  REQUIRE(deleteFile(t.path("Help\\topics.htm")));
  chooseTrayCommand(k, kHelp);
  HWND box = nullptr;
  waitUntil([&] {
    for (HWND dialog : findWindows(k.pid(), "#32770", "Error"))
      if (isVisible(dialog)) box = dialog;
    return box != nullptr;
  });
  REQUIRE_MSG(box != nullptr, "no missing-file box");
  CHECK_EQ(dialogText(box), "File \"" + t.path("Help\\topics.htm") + "\" does not exists!");
  CHECK(answerDialog(box));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("tray.icon_comes_back_after_the_taskbar_is_made_anew") {
  t.write(kIni, trayIni("1"));
  KeytideProcess& k = t.start();
  awaitStarted(k);
  const UINT taskbarCreated = RegisterWindowMessageA(keytide::names::kTaskbarCreatedMessage);
  auto forgetIcon = [&] {
    // What a restarting shell does: it no longer holds the icon.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = trayIconWindow(k);
    data.uID = keytide::names::kTrayIconNumber;
    Shell_NotifyIconW(NIM_DELETE, &data);
    return waitForTrayIcon(k, false);
  };
  auto broadcast = [&] {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  };

  REQUIRE(forgetIcon());
  broadcast();
  CHECK_MSG(waitForTrayIcon(k), "the icon did not come back after TaskbarCreated");
  CHECK_MSG(waitUntil([&] { return trayIconRect(k).has_value(); }), "the icon is not on the screen again");

  // Not while the icon is meant to be away.
  chooseTrayCommand(k, kShow);
  REQUIRE(waitForTrayIcon(k, false));
  broadcast();
  pause(Ms{800});
  CHECK_MSG(!trayIconPresent(k), "the icon came back while the main window is shown");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("instance.a_second_copy_ends_without_touching_ktd_ini") {
  t.write("first\\ktd.ini", trayIni("1"));
  KeytideProcess& first = t.start({.exe = t.installKeytide("first\\keytide.exe")});
  awaitStarted(first);
  const std::string before = *t.read("first\\ktd.ini");

  // The same program again, and a copy elsewhere that has no ktd.ini yet.
  for (const std::string& exe : {t.path("first\\keytide.exe"), t.installKeytide("elsewhere\\keytide.exe")}) {
    KeytideProcess& second = t.start({.exe = exe, .waitForWindows = false});
    CHECK_EQ(second.waitExit(), std::optional<DWORD>{0});
  }
  CHECK_MSG(!fileExists(t.path("elsewhere\\ktd.ini")), "the second copy wrote a ktd.ini");
  CHECK_EQ(*t.read("first\\ktd.ini"), before);
  CHECK(first.running());
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "the first copy lost its keys");
  CHECK_MSG(trayIconPresent(first), "the first copy lost its icon");
  CHECK_EQ(first.close(), DWORD{0});
}

E2E_TEST("instance.two_copies_started_at_once_leave_one_running") {
  for (int round = 0; round < 4; ++round) {
    const std::string name = "round" + std::to_string(round);
    t.write(name + "a\\ktd.ini", trayIni("1"));
    t.write(name + "b\\ktd.ini", trayIni("1"));
    const std::string a = t.installKeytide(name + "a\\keytide.exe");
    const std::string b = t.installKeytide(name + "b\\keytide.exe");
    KeytideProcess& first = t.start({.exe = a, .waitForWindows = false});
    KeytideProcess& second = t.start({.exe = b, .waitForWindows = false});
    CHECK_MSG(waitUntil([&] { return !first.running() || !second.running(); }), name + ": both copies run");
    pause(Ms{2000});
    const bool firstRuns = first.running();
    const bool secondRuns = second.running();
    CHECK_MSG(firstRuns != secondRuns, name + ": not exactly one copy runs");
    KeytideProcess& ended = firstRuns ? second : first;
    CHECK_EQ(ended.waitExit(Ms{0}), std::optional<DWORD>{0});
    if (firstRuns) CHECK_EQ(first.close(), DWORD{0});
    if (secondRuns) CHECK_EQ(second.close(), DWORD{0});
  }
}
