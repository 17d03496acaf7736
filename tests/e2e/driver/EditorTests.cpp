// The assignment editor, driven like a user would: the mouse at the places of
// the controls (found through the same layout table the program builds its
// window from) and keys through SendInput. Checked from outside: what the
// controls show, ktd.ini byte by byte, the hot keys, the OSD windows that a
// key press brings up, the programs a key starts, and the screen's pixels.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "Driver.h"
#include "editor/EditorLayout.h"
#include "model/Names.h"
#include "widgets/Gradient.h"

using namespace ktd::e2e;
namespace layout = keytide::editor;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kProgressClass[] = "TktdOSDProgressForm";
constexpr char kTextClass[] = "TktdOSDTextForm";
constexpr Ms kStep{150};  // lets the program handle what was sent before looking

// The built-in default text without the welcome screen's three seconds.
std::string quietDefaultText(TestContext& t) {
  std::string text = t.dataText("default-ktd.ini");
  const std::string on = "WelcomeScreen=1\r\n";
  const auto at = text.find(on);
  REQUIRE_MSG(at != std::string::npos, "default-ktd.ini has no WelcomeScreen=1 line");
  return text.replace(at, on.size(), "WelcomeScreen=0\r\n");
}

// `text` with the first line `from` after the line `after` replaced by `to`.
std::string replaceLine(std::string text, const std::string& after, const std::string& from, const std::string& to) {
  const auto section = text.find(after + "\r\n");
  REQUIRE_MSG(section != std::string::npos, "no line " + after);
  const auto line = text.find(from + "\r\n", section);
  REQUIRE_MSG(line != std::string::npos, "no line " + from + " after " + after);
  return text.replace(line, from.size(), to);
}

// --- the mouse -------------------------------------------------------------

void click(POINT at, bool right = false) { clickSteadily(at, right); }

void wheel(POINT at, int clicks) {
  INPUT input = mouseInput(at, MOUSEEVENTF_WHEEL);
  input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * clicks);
  sendMouse({mouseInput(at, 0), input});
}

// Text (UTF-8) typed as characters, whatever the keyboard layout.
void typeText(const std::string& text) {
  std::wstring units(text.size(), L'\0');
  units.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), units.data(), static_cast<int>(units.size()))));
  for (wchar_t unit : units) {
    INPUT input[2]{};
    for (int i = 0; i < 2; ++i) {
      input[i].type = INPUT_KEYBOARD;
      input[i].ki.wScan = static_cast<WORD>(unit);
      input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, input, sizeof(INPUT));
  }
  pause(kStep);
}

// --- the editor window -----------------------------------------------------

BOOL CALLBACK findChild(HWND child, LPARAM param) {
  auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(param);
  if (GetDlgCtrlID(child) == wanted->first) {
    wanted->second = child;
    return FALSE;
  }
  return TRUE;
}

class Editor {
 public:
  explicit Editor(HWND window) : window_(window) {}
  HWND window() const { return window_; }

  // The DPI the window was laid out for, from its width.
  int dpi() const {
    RECT r = windowRect(window_);
    return MulDiv(r.right - r.left, 96, layout::kWindowWidth);
  }
  POINT origin() const {
    POINT p{0, 0};
    ClientToScreen(window_, &p);
    return p;
  }
  // A point of the control with this id, on the screen (default: its middle).
  POINT at(int id, double fx = 0.5, double fy = 0.5) const {
    const auto place = layout::FindControl(id);
    REQUIRE_MSG(place.has_value(), "no control " + std::to_string(id));
    const keytide::widgets::Rect r = layout::ScaleControl(layout::PlaceInWindow(*place), dpi());
    const POINT o = origin();
    return {o.x + r.left + static_cast<int>((r.right - r.left) * fx),
            o.y + r.top + static_cast<int>((r.bottom - r.top) * fy)};
  }
  HWND control(int id) const {
    std::pair<int, HWND> wanted{id, nullptr};
    EnumChildWindows(window_, findChild, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
  }
  LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control(id), message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
  }
  // The field's text (for the action list: the chosen entry).
  std::string text(int id) const {
    char buffer[1024] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, &copied);
    return std::string(buffer, copied);
  }
  bool down(int id) const { return send(id, BM_GETCHECK) == BST_CHECKED; }
  int chosenAction() const { return static_cast<int>(send(layout::kActionList, CB_GETCURSEL)); }
  int downKey() const {
    int found = -1;
    for (int slot = 0; slot < 15; ++slot) {
      if (down(layout::kKeyFirst + slot)) found = found == -1 ? slot : -2;
    }
    return found;
  }
  int kindShown() const {
    const int options[] = {layout::kActionOption, layout::kRunFileOption, layout::kAddressOption};
    int found = -1;
    for (int kind = 0; kind < 3; ++kind) {
      if (down(options[kind])) found = found == -1 ? kind : -2;
    }
    return found;
  }
  // The control that has the keyboard focus in the editor's thread.
  int focusedId() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) || info.hwndFocus == nullptr) return 0;
    return GetDlgCtrlID(info.hwndFocus);
  }
  void clickOn(int id) const { click(at(id)); }
  void selectKey(int slot) const {
    clickOn(layout::kKeyFirst + slot);
    CHECK_MSG(waitUntil([&] { return downKey() == slot; }, Ms{3000}),
              "key " + std::to_string(slot) + " did not go down; down: " + std::to_string(downKey()));
  }

 private:
  HWND window_;
};

// Every control where the layout table puts it at this DPI (window client coordinates).
void checkPlaces(const Editor& editor, int dpi) {
  const POINT o = editor.origin();
  const keytide::widgets::Rect bar = layout::ScaleRect(layout::kTitleBar, dpi);
  auto check = [&](const layout::ControlPlace& place) {
    if (place.id == layout::kLabelCaption) return;  // drawn text, no window
    HWND control = editor.control(place.id);
    CHECK_MSG(control != nullptr, std::string("no control ") + place.caption + " (" + std::to_string(place.id) + ")");
    if (control == nullptr) return;
    keytide::widgets::Rect expected = layout::ScaleControl(layout::PlaceInParent(place), dpi);
    if (place.area == layout::Area::TitleBar) {
      expected = {expected.left + bar.left, expected.top + bar.top, expected.right + bar.left, expected.bottom + bar.top};
    }
    const RECT r = windowRect(control);
    const keytide::widgets::Rect seen{r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y};
    CHECK_MSG(seen == expected, "control " + std::to_string(place.id) + " \"" + place.caption + "\" at (" +
                                    std::to_string(seen.left) + "," + std::to_string(seen.top) + ")-(" +
                                    std::to_string(seen.right) + "," + std::to_string(seen.bottom) + "), expected (" +
                                    std::to_string(expected.left) + "," + std::to_string(expected.top) + ")-(" +
                                    std::to_string(expected.right) + "," + std::to_string(expected.bottom) + ")");
  };
  for (const layout::ControlPlace& place : layout::kControls) check(place);
  for (const layout::ControlPlace& place : layout::kAssignmentControls) check(place);
}

// Opens the editor with the tray menu's "Show...", its first item, and waits
// until it can be clicked; the tray icon goes away meanwhile.
Editor openEditor(KeytideProcess& k) {
  REQUIRE_MSG(clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN), "the tray icon could not be clicked");
  HWND menu = waitForPopupMenu(k.pid());
  REQUIRE_MSG(menu != nullptr, "the right button did not open the tray menu");
  // Wine keeps a menu's handle to the process that made it: there the items
  // cannot be read from outside, and the first is taken by its place.
  if (const auto items = menuItems(menu)) {
    CHECK_MSG(!items->empty() && items->front().caption == "Show...", "the tray menu does not start with Show...");
  }
  REQUIRE_MSG(chooseFromMenu(menu, 1), "the tray menu stayed open");
  HWND main = k.mainWindow();
  REQUIRE_MSG(main != nullptr, "no main window");
  REQUIRE_MSG(waitUntil([&] { return isVisible(main); }), "\"Show...\" did not show the editor");
  CHECK_MSG(waitForTrayIcon(k, false), "the tray icon stayed while the editor is shown");
  pause(Ms{400});
  return Editor(main);
}

// The editor has gone back to the tray.
void checkBackInTray(KeytideProcess& k, const Editor& editor, const char* how) {
  CHECK_MSG(waitUntil([&] { return !isVisible(editor.window()); }), std::string(how) + " did not hide the editor");
  CHECK_MSG(waitForTrayIcon(k, true), std::string("the tray icon did not come back after ") + how);
  CHECK_MSG(taskbarWindows(k.pid()).empty(), std::string("a taskbar button stayed after ") + how);
}

// Starts with the quiet default file and waits until the keypad is grabbed.
KeytideProcess& startActive(TestContext& t, const std::string& ini) {
  t.write(kIni, ini);
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "keypad 5 was not grabbed after the start");
  return k;
}

HWND visibleWindowOf(DWORD pid, const char* windowClass) {
  for (HWND window : findWindows(pid, windowClass)) {
    if (isVisible(window)) return window;
  }
  return nullptr;
}

// Presses a keypad key and tells whether the volume bar came up for it.
bool keyShowsVolumeBar(KeytideProcess& k, WORD vk) {
  pressKey(vk);
  return waitUntil([&] { return visibleWindowOf(k.pid(), kProgressClass) != nullptr; }, Ms{2500});
}

// Picks an entry of the open action list with the mouse, scrolling it with the wheel first.
void pickFromOpenList(KeytideProcess& k, int entry) {
  HWND list = nullptr;
  REQUIRE_MSG(waitUntil([&] { return (list = visibleWindowOf(k.pid(), "ComboLBox")) != nullptr; }, Ms{3000}),
              "the action list did not open");
  RECT listRect = windowRect(list);
  const POINT middle{(listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2};
  auto sendList = [&](UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(list, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<int>(result);
  };
  const int height = sendList(LB_GETITEMHEIGHT);
  REQUIRE_MSG(height > 0, "the open list has no entry height");
  RECT client{};
  GetClientRect(list, &client);
  const int visible = client.bottom / height;
  for (int round = 0; round < 10; ++round) {
    const int top = sendList(LB_GETTOPINDEX);
    if (entry >= top && entry < top + visible) break;
    wheel(middle, entry < top ? -1 : 1);
  }
  const int top = sendList(LB_GETTOPINDEX);
  REQUIRE_MSG(entry >= top && entry < top + visible, "the list did not scroll to entry " + std::to_string(entry));
  POINT inList{(client.left + client.right) / 2, (entry - top) * height + height / 2};
  ClientToScreen(list, &inList);
  click(inList);
}

// A screen pixel as the widget layer's colour.
keytide::widgets::Color colorAt(const ScreenShot& screen, int x, int y) {
  const std::uint32_t p = screen.at(x, y);
  return keytide::widgets::Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string hex(keytide::widgets::Color c) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", keytide::widgets::RedOf(c), keytide::widgets::GreenOf(c),
                keytide::widgets::BlueOf(c));
  return text;
}

}  // namespace

E2E_TEST("editor.key_5_shows_its_action_and_volume_up_is_saved_and_runs") {
  MouseParkedAtEnd parked;
  const std::string original = quietDefaultText(t);
  KeytideProcess& k = startActive(t, original);
  Editor editor = openEditor(k);

  // The window: 521 x 280, centred; key "/" shown.
  const RECT placed = windowRect(editor.window());
  const SIZE screen = screenSize();
  CHECK_EQ(placed.right - placed.left, 521L);
  CHECK_EQ(placed.bottom - placed.top, 280L);
  CHECK_EQ(placed.left, static_cast<LONG>((screen.cx - 521) / 2));
  CHECK_EQ(placed.top, static_cast<LONG>((screen.cy - 280) / 2));
  checkPlaces(editor, 96);
  CHECK_EQ(editor.downKey(), 0);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Run"));
  CHECK_EQ(editor.text(layout::kActionList), std::string("Launch Run... Dialog"));

  // Key 5: its action, its label, no file and no address.
  editor.selectKey(8);
  CHECK_EQ(editor.kindShown(), 0);
  CHECK_EQ(editor.chosenAction(), 26);
  CHECK_EQ(editor.text(layout::kActionList), std::string("Media Play/Pause"));
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Ply/Paus"));
  CHECK_EQ(editor.text(layout::kRunFileField), std::string(""));
  CHECK_EQ(editor.text(layout::kAddressField), std::string(""));

  // A label typed into the field stops at 8 characters...
  editor.clickOn(layout::kLabelField);
  pressChord({VK_CONTROL, 'A'});
  pressKey(VK_DELETE);
  typeText("Loudspeaker");
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Loudspea"));

  // ... and picking "Volume Up" with the mouse puts its short label in its place.
  editor.clickOn(layout::kActionList);
  pickFromOpenList(k, 22);
  CHECK_MSG(waitUntil([&] { return editor.chosenAction() == 22; }, Ms{3000}),
            "Volume Up is not chosen: " + std::to_string(editor.chosenAction()));
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Vol+"));
  CHECK_EQ(editor.kindShown(), 0);

  // While the editor is shown a keypad press does nothing at all.
  CHECK(!keyShowsVolumeBar(k, VK_ADD));

  editor.clickOn(layout::kOkButton);
  checkBackInTray(k, editor, "OK");
  std::string expected = replaceLine(original, "[NumPadKey8]", "OSDLabel=Ply/Paus", "OSDLabel=Vol+");
  expected = replaceLine(expected, "[NumPadKey8]", "Action=26", "Action=22");
  const auto saved = t.read(kIni);
  CHECK_MSG(saved == expected, "ktd.ini after OK: " + (saved ? firstDifference(expected, *saved) : "gone"));

  // The next press of 5 raises the volume: the volume bar shows.
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "keypad 5 is not grabbed after OK");
  CHECK_MSG(keyShowsVolumeBar(k, VK_NUMPAD5), "keypad 5 did not show the volume bar after OK");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.three_edits_and_cancel_leave_file_and_keys_as_they_were") {
  MouseParkedAtEnd parked;
  const std::string original = quietDefaultText(t);
  KeytideProcess& k = startActive(t, original);
  Editor editor = openEditor(k);

  // Key 5: the next action by the arrow key on the closed list.
  editor.selectKey(8);
  editor.clickOn(layout::kActionList);
  pressKey(VK_ESCAPE);  // the click opened the list; closed again, the focus stays
  pressKey(VK_DOWN);
  CHECK_MSG(waitUntil([&] { return editor.chosenAction() == 27; }, Ms{3000}),
            "the down arrow did not pick the next action: " + std::to_string(editor.chosenAction()));
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Prev"));
  // Key +: an address. The click into the field selects "Go to adress" before any typing.
  editor.selectKey(6);
  editor.clickOn(layout::kAddressField);
  CHECK_MSG(waitUntil([&] { return editor.kindShown() == 2; }, Ms{3000}), "the address field did not select its kind");
  typeText("www.example.com");
  // Key .: run a file (none chosen yet).
  editor.selectKey(14);
  editor.clickOn(layout::kRunFileOption);
  CHECK_EQ(editor.kindShown(), 1);
  // Both switches up.
  editor.clickOn(layout::kActiveButton);
  editor.clickOn(layout::kOsdButton);
  CHECK(!editor.down(layout::kActiveButton));
  CHECK(!editor.down(layout::kOsdButton));

  // The key "+" still shows its address when it is selected again.
  editor.selectKey(6);
  CHECK_EQ(editor.text(layout::kAddressField), std::string("www.example.com"));
  CHECK_EQ(editor.kindShown(), 2);

  editor.clickOn(layout::kCancelButton);
  checkBackInTray(k, editor, "Cancel");
  const auto after = t.read(kIni);
  CHECK_MSG(after == original, "ktd.ini changed by Cancel: " + (after ? firstDifference(original, *after) : "gone"));
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "keypad 5 was let go by Cancel");

  // Shown again: key "/" as stored, both switches down, key 5 and + as before.
  editor = openEditor(k);
  CHECK_EQ(editor.downKey(), 0);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Run"));
  CHECK(editor.down(layout::kActiveButton));
  CHECK(editor.down(layout::kOsdButton));
  editor.selectKey(8);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Ply/Paus"));
  editor.selectKey(6);
  CHECK_EQ(editor.kindShown(), 0);
  CHECK_EQ(editor.text(layout::kAddressField), std::string(""));
  // The title bar's X is Cancel too.
  click(editor.at(layout::kCloseButton));
  checkBackInTray(k, editor, "X");
  CHECK_MSG(keyShowsVolumeBar(k, VK_ADD), "keypad + no longer raises the volume");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.releasing_active_and_ok_lets_the_keys_go") {
  MouseParkedAtEnd parked;
  const std::string original = quietDefaultText(t);
  KeytideProcess& k = startActive(t, original);
  Editor editor = openEditor(k);
  editor.clickOn(layout::kActiveButton);
  CHECK(!editor.down(layout::kActiveButton));
  // Only in memory until OK.
  pause(Ms{300});
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "releasing Active let the keys go before OK");
  editor.clickOn(layout::kOkButton);
  checkBackInTray(k, editor, "OK");
  // OK lets the keys go before it hides the window.
  CHECK_MSG(hotKeyFree(VK_NUMPAD5), "keypad 5 is still grabbed after OK with Active up");
  for (WORD vk : {VK_DIVIDE, VK_MULTIPLY, VK_SUBTRACT, VK_ADD, VK_NUMPAD0, VK_DECIMAL}) {
    CHECK_MSG(hotKeyFree(vk), "key " + std::to_string(vk) + " is still grabbed");
  }
  CHECK_MSG(!hotKeyFree(VK_SCROLL), "Scroll Lock must stay grabbed");
  const std::string expected = replaceLine(original, "[IsActive]", "IsKTDActive=1", "IsKTDActive=0");
  const auto saved = t.read(kIni);
  CHECK_MSG(saved == expected, "ktd.ini after OK: " + (saved ? firstDifference(expected, *saved) : "gone"));

  // The icon shows a still picture: the inactive one, as the tray's own
  // switch shows it after switching on (animated) and off again.
  const std::vector<std::uint32_t> afterOk = settledTrayIconMiddle(k);
  CHECK_MSG(!afterOk.empty(), "the tray icon's picture could not be read");
  CHECK_MSG(trayIconPictures(k, 2, Ms{1000}) == 1, "the icon is animated after OK with Active up");
  REQUIRE(clickTrayIcon(k));
  CHECK_MSG(waitUntil([&] { return !hotKeyFree(VK_NUMPAD5); }), "the tray's click did not switch the program on");
  CHECK_MSG(trayIconPictures(k, 2, kTrayAnimationWait) > 1, "the icon is not animated once the program is on");
  pause(Ms{GetDoubleClickTime() + 200});
  REQUIRE(clickTrayIcon(k));
  CHECK_MSG(waitUntil([&] { return hotKeyFree(VK_NUMPAD5); }), "the tray's click did not switch the program off");
  CHECK_MSG(settledTrayIconMiddle(k) == afterOk, "after OK the icon did not show the inactive picture");

  // Shown again with Active up; pressing it down and OK grabs the keys again.
  editor = openEditor(k);
  CHECK(!editor.down(layout::kActiveButton));
  editor.clickOn(layout::kActiveButton);
  editor.clickOn(layout::kOkButton);
  checkBackInTray(k, editor, "OK");
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "keypad 5 is not grabbed again after OK with Active down");
  const size_t pictures = trayIconPictures(k, 2, kTrayAnimationWait);
  CHECK_MSG(pictures > 1, "the icon is not animated after OK with Active down: " + std::to_string(pictures) + " pictures");
  const auto again = t.read(kIni);
  CHECK_MSG(again == original, "ktd.ini after the second OK: " + (again ? firstDifference(original, *again) : "gone"));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.title_bar_drags_with_the_left_button_and_minimize_keeps_keys_ignored") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, quietDefaultText(t));
  Editor editor = openEditor(k);
  const RECT placed = windowRect(editor.window());
  const POINT grip{placed.left + 150, placed.top + 14};
  drag(grip, {grip.x - 40, grip.y + 30}, true);
  RECT afterRight = windowRect(editor.window());
  CHECK_MSG(EqualRect(&placed, &afterRight) != FALSE, "the right button moved the window");
  drag(grip, {grip.x - 40, grip.y + 30}, false);
  CHECK_MSG(waitUntil([&] { return windowRect(editor.window()).left == placed.left - 40; }, Ms{3000}),
            "the left button did not drag the window by (-40, 30)");
  const RECT moved = windowRect(editor.window());
  CHECK_EQ(moved.top, placed.top + 30);

  // "?": the help menu at the mouse; its first item opens the help page,
  // which this test folder lacks.
  const POINT help = editor.at(layout::kHelpButton);
  click(help);
  HWND menu = waitForPopupMenu(k.pid());
  CHECK_MSG(menu != nullptr, "? did not open the help menu");
  if (menu != nullptr) {
    if (const auto items = menuItems(menu)) {  // not under Wine: see openEditor
      std::vector<std::string> captions;
      for (const MenuItem& item : *items) captions.push_back(item.caption);
      CHECK_MSG((captions == std::vector<std::string>{"Help", "About..."}), "the help menu's items are not Help, About...");
    }
    const RECT at = windowRect(menu);
    CHECK_MSG(std::abs(at.left - help.x) <= 2 || std::abs(at.right - help.x) <= 2,
              "the help menu did not open at the mouse");
    CHECK_MSG(chooseFromMenu(menu, 1), "the help menu stayed open");
    HWND box = nullptr;
    CHECK_MSG(waitUntil([&] { return (box = visibleWindowOf(k.pid(), "#32770")) != nullptr; }, Ms{5000}),
              "Help did not report the missing help page");
    if (box != nullptr) {
      CHECK_MSG(dialogText(box).find("Help\\topics.htm") != std::string::npos, "the box names " + dialogText(box));
      answerDialog(box);
      CHECK(waitUntil([&] { return !isVisible(box); }));
    }
  }
  CHECK(isVisible(editor.window()));

  // "?", "About...": About with a taskbar button of its own while it is up,
  // and once it has closed and the editor has gone, no button is left.
  click(help);
  REQUIRE_MSG(waitForPopupMenu(k.pid()) != nullptr, "? did not open the help menu again");
  pressKey(VK_DOWN);
  pressKey(VK_DOWN);
  pressKey(VK_RETURN);
  HWND about = k.window(keytide::names::kAboutWindowClass);
  REQUIRE_MSG(waitUntil([&] { return isVisible(about); }), "About... did not show the About window");
  const std::vector<HWND> buttons = taskbarWindows(k.pid());
  CHECK_MSG(std::find(buttons.begin(), buttons.end(), about) != buttons.end(), "About has no taskbar button of its own");
  PostMessageA(about, WM_CLOSE, 0, 0);
  REQUIRE_MSG(waitUntil([&] { return !isVisible(about) && IsWindowEnabled(editor.window()); }),
              "About did not close back to the editor");

  // "-": minimized, and still counted as shown: keypad keys stay ignored.
  editor.clickOn(layout::kMinimizeButton);
  CHECK_MSG(waitUntil([&] { return IsIconic(editor.window()) != FALSE; }, Ms{3000}), "- did not minimize the editor");
  CHECK(isVisible(editor.window()));
  CHECK_MSG(!keyShowsVolumeBar(k, VK_ADD), "a keypad key ran while the editor was minimized");
  CHECK_MSG(!hotKeyFree(VK_ADD), "the minimized editor let keypad + go");
  // Restored (as by its taskbar button), then closed: keys work again.
  ShowWindow(editor.window(), SW_RESTORE);
  CHECK_MSG(waitUntil([&] { return IsIconic(editor.window()) == FALSE; }, Ms{3000}), "the editor was not restored");
  pause(Ms{300});
  editor.clickOn(layout::kCloseButton);
  checkBackInTray(k, editor, "X");  // no taskbar button left by About either
  CHECK_MSG(keyShowsVolumeBar(k, VK_ADD), "keypad + did nothing after the editor was closed");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.browsed_file_runs_on_the_next_key_press") {
  MouseParkedAtEnd parked;
  const std::string original = quietDefaultText(t);
  KeytideProcess& k = startActive(t, original);
  const std::string marker = t.installMarker("tools\\marker.exe");
  Editor editor = openEditor(k);
  editor.selectKey(1);
  editor.clickOn(layout::kRunFileButton);
  HWND dialog = nullptr;
  REQUIRE_MSG(waitUntil([&] { return (dialog = visibleWindowOf(k.pid(), "#32770")) != nullptr; }, Ms{5000}),
              "the file dialog did not open");
  CHECK_EQ(windowText(dialog), std::string("Open"));  // no title of ours: the system's
  pause(Ms{500});
  typeText(marker);
  pressKey(VK_RETURN);
  CHECK_MSG(waitUntil([&] { return !isVisible(dialog); }, Ms{5000}), "the file dialog did not close");
  CHECK_MSG(waitUntil([&] { return editor.text(layout::kRunFileField) == marker; }, Ms{3000}),
            "the file field shows " + quoted(editor.text(layout::kRunFileField)));
  CHECK_EQ(editor.text(layout::kLabelField), std::string("marker"));
  CHECK_EQ(editor.kindShown(), 1);

  // Offered again the next time; cancelling changes nothing.
  editor.selectKey(2);
  editor.clickOn(layout::kRunFileButton);
  REQUIRE_MSG(waitUntil([&] { return (dialog = visibleWindowOf(k.pid(), "#32770")) != nullptr; }, Ms{5000}),
              "the file dialog did not open again");
  pause(Ms{500});
  pressKey(VK_ESCAPE);
  CHECK_MSG(waitUntil([&] { return !isVisible(dialog); }, Ms{5000}), "the file dialog did not close on Esc");
  CHECK_EQ(editor.kindShown(), 0);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Vol-"));

  editor.clickOn(layout::kOkButton);
  checkBackInTray(k, editor, "OK");
  std::string expected = replaceLine(original, "[NumPadKey1]", "OSDLabel=Mute", "OSDLabel=marker");
  expected = replaceLine(expected, "[NumPadKey1]", "FileName=", "FileName=" + marker);
  expected = replaceLine(expected, "[NumPadKey1]", "SelectedFunction=0", "SelectedFunction=1");
  const auto saved = t.read(kIni);
  CHECK_MSG(saved == expected, "ktd.ini after OK: " + (saved ? firstDifference(expected, *saved) : "gone"));

  CHECK_MSG(!hotKeyFree(VK_MULTIPLY), "keypad * is not grabbed after OK");
  pressKey(VK_MULTIPLY);
  CHECK_MSG(waitForMarkerRuns(t.markerLog(), 1).has_value(), "keypad * did not run the chosen file");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.tab_order_kind_by_focus_and_keypad_keys_not_typed") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, quietDefaultText(t));
  Editor editor = openEditor(k);
  editor.selectKey(6);

  // Tab from the Action option walks the assignment panel in its order; the
  // options that are not chosen are no tab stops, as in any option group.
  editor.clickOn(layout::kActionOption);
  std::vector<int> order{editor.focusedId()};
  for (int i = 0; i < 8; ++i) {
    pressKey(VK_TAB);
    pause(Ms{100});
    order.push_back(editor.focusedId());
  }
  const std::vector<int> expected{layout::kActionOption,  layout::kActionList,     layout::kRunFileField,
                                  layout::kRunFileButton, layout::kAddressField,   layout::kLabelField,
                                  layout::kSettingsButton, layout::kOkButton,      layout::kCancelButton};
  CHECK_MSG(order == expected, [&] {
    std::string ids;
    for (int id : order) ids += std::to_string(id) + " ";
    return "tab order: " + ids;
  }());

  // Shift+Tab from the address field reaches the action list: the kind goes back to Action.
  editor.clickOn(layout::kAddressField);
  CHECK_MSG(waitUntil([&] { return editor.kindShown() == 2; }, Ms{3000}), "the address field did not select its kind");
  for (int i = 0; i < 8 && editor.focusedId() != layout::kActionList; ++i) {
    pressChord({VK_SHIFT, VK_TAB});
    pause(Ms{100});
  }
  CHECK_EQ(editor.focusedId(), static_cast<int>(layout::kActionList));
  CHECK_EQ(editor.kindShown(), 0);

  // Keypad keys typed into the label field: taken by the hot keys, not typed.
  editor.clickOn(layout::kLabelField);
  const std::string label = editor.text(layout::kLabelField);
  for (WORD vk : {VK_NUMPAD5, VK_NUMPAD1, VK_ADD, VK_DECIMAL}) pressKey(vk);
  pause(Ms{300});
  CHECK_EQ(editor.text(layout::kLabelField), label);
  CHECK(visibleWindowOf(k.pid(), kTextClass) == nullptr);

  editor.clickOn(layout::kCancelButton);
  CHECK_EQ(k.close(), DWORD{0});
}

namespace {

// The WinEvents for top-level windows, as an out-of-context hook (a screen reader) gets them.
std::vector<std::pair<DWORD, HWND>> seenEvents;
void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_WINDOW) seenEvents.emplace_back(event, window);
}
bool eventSeen(DWORD event, HWND window) {
  return waitUntil([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return std::find(seenEvents.begin(), seenEvents.end(), std::pair{event, window}) != seenEvents.end();
  }, Ms{3000});
}

}  // namespace

// Wine's oleacc reports every button as a "client" object: checked instead of the
// roles is what makes Windows' proxy report them, and the label's text and WinEvents.
E2E_TEST("editor.controls_are_buttons_of_their_kind_and_the_label_speaks") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, quietDefaultText(t));
  Editor editor = openEditor(k);
  constexpr LONG kSwitch = BS_AUTOCHECKBOX | BS_PUSHLIKE, kKey = BS_AUTORADIOBUTTON | BS_PUSHLIKE;
  const std::tuple<int, LONG, LONG> kinds[] = {  // id, type, WS_GROUP
      {layout::kActiveButton, kSwitch, WS_GROUP}, {layout::kOsdButton, kSwitch, 0}, {layout::kOkButton, BS_PUSHBUTTON, 0},
      {layout::kActionOption, BS_AUTORADIOBUTTON, WS_GROUP}, {layout::kKeyFirst, kKey, WS_GROUP}, {layout::kKeyFirst + 14, kKey, 0}};
  for (const auto& [id, type, group] : kinds) {
    const LONG style = GetWindowLongA(editor.control(id), GWL_STYLE);
    CHECK_EQ(windowClassName(editor.control(id)), std::string("Button"));
    CHECK_MSG((style & (BS_TYPEMASK | BS_PUSHLIKE | WS_GROUP)) == (type | group), "control " + std::to_string(id));
  }
  // A click, then the arrows: through the keys and round; past the fields between the options.
  editor.selectKey(13);
  for (int slot : {14, 0}) {
    pressKey(VK_RIGHT);
    CHECK_MSG(waitUntil([&] { return editor.downKey() == slot; }, Ms{2000}), "Right did not reach key " + std::to_string(slot));
  }
  editor.clickOn(layout::kActionOption);
  for (int kind : {1, 2, 0}) {
    pressKey(VK_DOWN);
    CHECK_MSG(waitUntil([&] { return editor.kindShown() == kind; }, Ms{2000}), "Down did not choose kind " + std::to_string(kind));
  }
  editor.clickOn(layout::kCancelButton);
  checkBackInTray(k, editor, "Cancel");

  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE, nullptr, recordEvent, k.pid(), 0,
                                       WINEVENT_OUTOFCONTEXT);
  HWND label = k.window(kTextClass);
  for (const auto& [key, said, event] : {std::tuple{VK_ADD, R"(Vol\+)", EVENT_OBJECT_SHOW},
                                         std::tuple{VK_SUBTRACT, "Vol-", EVENT_OBJECT_NAMECHANGE}}) {
    seenEvents.clear();
    pressKey(key);
    const std::regex volume(std::string(said) + R"(( \d{1,3} %)?)");  // the label alone without a mixer
    CHECK_MSG(waitUntil([&] { return std::regex_match(windowText(label), volume); }, Ms{3000}),
              "the label window says " + quoted(windowText(label)));
    CHECK_MSG(eventSeen(event, label), "no WinEvent " + std::to_string(event) + " for the label");
  }
  CHECK_MSG(!IsWindowEnabled(label) && GetForegroundWindow() != label, "the label took input or the foreground");
  UnhookWinEvent(hook);
  CHECK_EQ(k.close(), DWORD{0});
}

namespace {

// Every row of the background in the gap between the two panels, against
// the bands the gradient code computes for the background's size at this DPI.
void checkBackgroundRows(const ScreenShot& screen, const Editor& editor, int dpi) {
  using namespace keytide::widgets;
  const Rect area = layout::ScaleRect(layout::kBackground, dpi);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  GradientLook gradient;
  gradient.begin = Rgb(0x00, 0x98, 0xE1);
  gradient.end = Rgb(0xC4, 0xEC, 0xFF);
  gradient.style = GradientStyle::Vertical;
  gradient.steps = 255;
  std::vector<Color> rows(static_cast<size_t>(height), 0xFF000000);
  for (const FilledShape& band : GradientShapes(gradient, width, height)) {
    for (int y = band.bounds.top; y < band.bounds.bottom; ++y) rows[static_cast<size_t>(y)] = band.color;
  }
  const POINT o = editor.origin();
  // Between the keypad panel (to 187 at 96 DPI) and the assignment panel (from 192).
  const int x = o.x + MulDiv(189, dpi, 96);
  int wrong = 0;
  std::string first;
  for (int y = 2; y < height - 2; ++y) {  // inside the two-pixel edge
    const Color seen = colorAt(screen, x, o.y + area.top + y);
    if (seen != rows[static_cast<size_t>(y)] && wrong++ == 0) {
      first = "row " + std::to_string(y) + ": " + hex(seen) + ", computed " + hex(rows[static_cast<size_t>(y)]);
    }
  }
  CHECK_MSG(wrong == 0, std::to_string(wrong) + " of " + std::to_string(height - 4) +
                            " background rows differ from the computed bands at " + std::to_string(dpi) +
                            " DPI; first " + first);
}

}  // namespace

E2E_TEST("editor.background_shows_the_computed_gradient_and_sunken_edge") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, quietDefaultText(t));
  Editor editor = openEditor(k);
  pause(Ms{500});
  const ScreenShot screen = captureScreen();
  screen.save(t.path("editor.bmp"), windowRect(editor.window()));
  checkBackgroundRows(screen, editor, 96);

  // The sunken edge of the 517 x 252 background: grey and black on the top
  // and left, white and silver on the bottom and right.
  using namespace keytide::widgets;
  const POINT o = editor.origin();
  const Rect area = layout::kBackground;
  const int midX = o.x + (area.left + area.right) / 2;
  const int midY = o.y + (area.top + area.bottom) / 2;
  CHECK_EQ(hex(colorAt(screen, midX, o.y + area.top)), hex(kGray));
  CHECK_EQ(hex(colorAt(screen, midX, o.y + area.top + 1)), hex(kBlack));
  CHECK_EQ(hex(colorAt(screen, o.x + area.left, midY)), hex(kGray));
  CHECK_EQ(hex(colorAt(screen, o.x + area.left + 1, midY)), hex(kBlack));
  CHECK_EQ(hex(colorAt(screen, midX, o.y + area.bottom - 1)), hex(kWhite));
  CHECK_EQ(hex(colorAt(screen, midX, o.y + area.bottom - 2)), hex(kSilver));
  CHECK_EQ(hex(colorAt(screen, o.x + area.right - 1, midY)), hex(kWhite));
  CHECK_EQ(hex(colorAt(screen, o.x + area.right - 2, midY)), hex(kSilver));
  // The title bar's light blue.
  CHECK_EQ(hex(colorAt(screen, o.x + 300, o.y + 14)), hex(Rgb(0x8C, 0xDA, 0xFF)));
  editor.clickOn(layout::kCancelButton);
  CHECK_EQ(k.close(), DWORD{0});
}

namespace {

// The system DPI of the Wine prefix for the programs started while it lives.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) {
    previous_ = regReadDword(HKEY_CURRENT_USER, kKey, "LogPixels");
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~SystemDpi() {
    if (previous_) {
      const DWORD value = *previous_;
      RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &value, sizeof value);
    } else {
      regDeleteValue(HKEY_CURRENT_USER, kKey, "LogPixels");
    }
  }

 private:
  static constexpr char kKey[] = "Control Panel\\Desktop";
  std::optional<DWORD> previous_;
};

}  // namespace

E2E_TEST("editor.at_144_dpi_the_window_and_every_control_scale") {
  MouseParkedAtEnd parked;
  // Wine reads the DPI from the registry as a program starts (on Windows it
  // is the display's setting). The driver itself must see real pixels too.
  SetProcessDPIAware();
  SystemDpi dpi(144);
  KeytideProcess& k = startActive(t, quietDefaultText(t));
  Editor editor = openEditor(k);
  pause(Ms{500});
  const RECT placed = windowRect(editor.window());
  const SIZE screen = screenSize();
  CHECK_EQ(placed.right - placed.left, 782L);
  CHECK_EQ(placed.bottom - placed.top, 420L);
  CHECK_EQ(placed.left, static_cast<LONG>((screen.cx - 782) / 2));
  CHECK_EQ(placed.top, static_cast<LONG>((screen.cy - 420) / 2));
  checkPlaces(editor, 144);
  const ScreenShot shot = captureScreen();
  shot.save(t.path("editor-144.bmp"), placed);
  checkBackgroundRows(shot, editor, 144);

  // The mouse at the scaled places works the controls.
  editor.selectKey(8);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Ply/Paus"));
  editor.clickOn(layout::kAddressField);
  CHECK_MSG(waitUntil([&] { return editor.kindShown() == 2; }, Ms{3000}), "the address field did not select its kind");
  editor.clickOn(layout::kCancelButton);
  checkBackInTray(k, editor, "Cancel");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("editor.failing_save_keeps_the_window_and_its_edits") {
  MouseParkedAtEnd parked;
  const std::string original = quietDefaultText(t);
  KeytideProcess& k = startActive(t, original);
  Editor editor = openEditor(k);
  editor.selectKey(8);
  editor.clickOn(layout::kActionList);
  pressKey(VK_ESCAPE);
  pressKey(VK_DOWN);
  CHECK_MSG(waitUntil([&] { return editor.text(layout::kLabelField) == "Prev"; }, Ms{3000}),
            "the down arrow did not pick the next action");
  editor.clickOn(layout::kActiveButton);
  // Held open without sharing, ktd.ini can be neither replaced nor written.
  // (Wine lets a read-only file be replaced by MoveFileEx, so that is no way
  // to make the save fail here.)
  HANDLE held = CreateFileA(t.path(kIni).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);

  editor.clickOn(layout::kOkButton);
  HWND box = nullptr;
  CHECK_MSG(waitUntil([&] { return (box = visibleWindowOf(k.pid(), "#32770")) != nullptr; }, Ms{5000}),
            "no message box for the failing save");
  if (box != nullptr) {
    CHECK_EQ(windowText(box), std::string("Keytide"));
    CHECK_EQ(dialogText(box), "Unable to write to " + t.path(kIni) + ".");
    answerDialog(box);
    CHECK(waitUntil([&] { return !isVisible(box); }, Ms{3000}));
  }
  // Still open with the edits; the keys as they were.
  CHECK(isVisible(editor.window()));
  CHECK_EQ(editor.downKey(), 8);
  CHECK_EQ(editor.text(layout::kLabelField), std::string("Prev"));
  CHECK(!editor.down(layout::kActiveButton));
  CHECK_MSG(!hotKeyFree(VK_NUMPAD5), "the failing OK let the keys go");
  CloseHandle(held);
  CHECK_MSG(t.read(kIni) == original, "the held ktd.ini changed");

  // Free again: the same OK goes through.
  editor.clickOn(layout::kOkButton);
  checkBackInTray(k, editor, "the second OK");
  CHECK_MSG(hotKeyFree(VK_NUMPAD5), "keypad 5 is still grabbed after OK with Active up");
  std::string expected = replaceLine(original, "[NumPadKey8]", "OSDLabel=Ply/Paus", "OSDLabel=Prev");
  expected = replaceLine(expected, "[NumPadKey8]", "Action=26", "Action=27");
  expected = replaceLine(expected, "[IsActive]", "IsKTDActive=1", "IsKTDActive=0");
  const auto saved = t.read(kIni);
  CHECK_MSG(saved == expected, "ktd.ini after OK: " + (saved ? firstDifference(expected, *saved) : "gone"));
  CHECK_EQ(k.close(), DWORD{0});
}


// Typing outside the ANSI code page into a UTF-8 file, and Alt+F4: Cancel,
// even when the keys go to the program's hidden window, and the program stays.
E2E_TEST("editor.typed_unicode_label_is_saved_exactly_and_alt_f4_cancels") {
  MouseParkedAtEnd parked;
  const std::string utf8 = "\xEF\xBB\xBF" + quietDefaultText(t);
  KeytideProcess& k = startActive(t, utf8);
  const std::string privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // "Привет"
  for (const bool ok : {false, true}) {
    Editor editor = openEditor(k);
    editor.selectKey(1);
    editor.clickOn(layout::kLabelField);
    editor.send(layout::kLabelField, EM_SETSEL, 0, -1);
    typeText(privet);
    if (ok) {
      editor.clickOn(layout::kOkButton);
    } else {
      SetForegroundWindow(k.programWindow());  // as the tray menu can leave it
      pause(Ms{300});
      pressChord({VK_MENU, VK_F4});
    }
    checkBackInTray(k, editor, ok ? "OK" : "Alt+F4");
    CHECK_MSG(!k.waitExit(Ms{ok ? 0 : 1500}).has_value(), "Alt+F4 on the editor ended the program");
    const std::string expected = ok ? replaceLine(utf8, "[NumPadKey1]", "OSDLabel=Mute", "OSDLabel=" + privet) : utf8;
    const auto saved = t.read(kIni);
    CHECK_MSG(saved == expected, "ktd.ini: " + (saved ? firstDifference(expected, *saved) : "gone"));
  }
  CHECK_EQ(k.close(), DWORD{0});
}
