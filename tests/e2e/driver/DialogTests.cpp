// The settings dialog, the welcome screen and the About window seen from
// outside: where they stand and what they show on the screen, what their
// controls change in ktd.ini and in the program's behaviour, and how each of
// them goes away again.
#include <windows.h>
#include <colordlg.h>

#include <functional>
#include <optional>

#include <algorithm>
#include <climits>
#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "LabelInk.h"
#include "settings/SettingsDialogLayout.h"

using namespace ktd::e2e;

namespace {

namespace layout = keytide::settings_dialog;
using keytide::SettingsControl;

constexpr char kIni[] = "ktd.ini";
constexpr char kWelcomeClass[] = "TktdWelcomeForm";
constexpr char kSettingsClass[] = "TktdSettingsForm";
constexpr char kTextClass[] = "TktdOSDTextForm";
constexpr char kProgressClass[] = "TktdOSDProgressForm";
constexpr Ms kStep{150};  // lets the program handle what was sent before looking

// One pixel of the screen as 0x00RRGGBB.
std::uint32_t screenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

int red(std::uint32_t pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }
int green(std::uint32_t pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }
int blue(std::uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }

std::string hex(std::uint32_t pixel) {
  char text[16];
  snprintf(text, sizeof text, "#%06X", pixel);
  return text;
}

// --- the mouse and the keyboard ---------------------------------------------

POINT centreOf(HWND window) {
  const RECT r = windowRect(window);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void click(HWND window) { clickSteadily(centreOf(window)); }

void pressTimes(WORD vk, int times) {
  for (int i = 0; i < times; ++i) pressKey(vk);
  pause(kStep);
}

// Text typed as characters, whatever the keyboard layout.
void typeText(const std::string& text) {
  for (char c : text) {
    INPUT input[2]{};
    for (int i = 0; i < 2; ++i) {
      input[i].type = INPUT_KEYBOARD;
      input[i].ki.wScan = static_cast<unsigned char>(c);
      input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, input, sizeof(INPUT));
  }
  pause(kStep);
}

// --- reading another program's controls ---------------------------------------

std::string controlText(HWND control) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &copied);
  return text;
}

LRESULT ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, message, wParam, lParam, SMTO_NORMAL, 2000, &result);
  return static_cast<LRESULT>(result);
}

// A list's entries. Asked in UTF-16: Wine hands an ANSI CB_GETLBTEXT from
// another process the UTF-16 text, where Windows converts it.
std::vector<std::string> listEntries(HWND list) {
  std::vector<std::string> entries;
  const LRESULT count = ask(list, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    if (ask(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)) < 256)
      SendMessageTimeoutW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                          2000, &length);
    std::string entry;
    for (const wchar_t* c = text; *c != 0; ++c) entry += static_cast<char>(*c < 0x80 ? *c : '?');
    entries.push_back(entry);
  }
  return entries;
}

HWND findChildWithText(HWND parent, const std::string& text) {
  struct Search {
    std::string text;
    HWND found = nullptr;
  } search{text};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (controlText(child) != s->text) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace

E2E_TEST("welcome.first_start_shows_the_picture_on_top_for_three_seconds_taking_no_input") {
  // No ktd.ini: the built-in default text has the welcome screen on.
  KeytideProcess& k = t.start();
  HWND welcome = waitForWindow(k.pid(), kWelcomeClass);
  REQUIRE_MSG(welcome != nullptr, "no welcome screen window (class TktdWelcomeForm)");
  REQUIRE_MSG(waitUntil([&] { return isVisible(welcome); }), "the welcome screen was never shown");

  // Borderless, centred, 302 x 200 (the test screen runs at 96 DPI), on top.
  const RECT place = windowRect(welcome);
  const SIZE screen = screenSize();
  CHECK_EQ(place.right - place.left, 302L);
  CHECK_EQ(place.bottom - place.top, 200L);
  CHECK_EQ(place.left, (screen.cx - 302) / 2L);
  CHECK_EQ(place.top, (screen.cy - 200) / 2L);
  CHECK_MSG(isTopmost(welcome), "the welcome screen is not topmost");
  // It takes no input: disabled, never activated.
  CHECK_MSG(!IsWindowEnabled(welcome), "the welcome screen is enabled");
  CHECK_MSG((GetWindowLongA(welcome, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0, "the welcome screen can be activated");
  CHECK_MSG(GetForegroundWindow() != welcome, "the welcome screen took the foreground");
  // The thread waits without handling messages, so the picture was painted before.
  CHECK_MSG(!isResponsive(k.mainWindow(), Ms{300}), "the program handles messages while the welcome screen is up");

  // The picture on the screen: light grey ground at the top, the band's blue
  // tint over the lower half, a blue dot where a line meets a key of the
  // keypad's left column, and the version in dark letters in its box.
  const std::uint32_t ground = screenPixel(place.left + 150, place.top + 45);
  CHECK_MSG(red(ground) > 0xD0 && green(ground) > 0xD0 && blue(ground) > 0xD0 &&
                std::abs(blue(ground) - red(ground)) < 0x10,
            "the ground at the top is not light grey: " + hex(ground));
  const std::uint32_t band = screenPixel(place.left + 150, place.top + 195);
  CHECK_MSG(blue(band) - red(band) >= 0x10, "the lower half shows no light-blue band: " + hex(band));
  const std::uint32_t dot = screenPixel(place.left + 180, place.top + 66);
  CHECK_MSG(blue(dot) > 0xA0 && red(dot) < 0x60, "no blue dot on the Num Lock key: " + hex(dot));
  int dark = 0;
  for (int y = 24; y < 38; ++y)
    for (int x = 264; x < 291; ++x) {
      const std::uint32_t pixel = screenPixel(place.left + x, place.top + y);
      dark += red(pixel) < 0x60 && green(pixel) < 0x60 && blue(pixel) < 0x60 ? 1 : 0;
    }
  CHECK_MSG(dark > 20, "the version text is not in its box: " + std::to_string(dark) + " dark pixels");

  CHECK_MSG(!trayIconPresent(k), "the tray icon came before the welcome screen went");

  // Up for its three seconds, then gone; the program answers again.
  pause(Ms{2000});
  CHECK_MSG(isVisible(welcome), "the welcome screen went before its three seconds");
  CHECK_MSG(waitUntil([&] { return !isVisible(welcome); }, Ms{5000}), "the welcome screen stayed up");
  CHECK_MSG(isResponsive(k.mainWindow()), "the program does not answer after the welcome screen");
  CHECK_MSG(waitForTrayIcon(k), "no tray icon after the welcome screen");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("welcome.switched_off_it_never_shows") {
  t.write("ktd.ini", "[Settings]\r\nWelcomeScreen=0\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n");
  KeytideProcess& k = t.start();
  awaitStarted(k);
  HWND welcome = k.window(kWelcomeClass);
  REQUIRE_MSG(welcome != nullptr, "no welcome screen window (class TktdWelcomeForm)");
  pause(Ms{1000});
  CHECK_MSG(!isVisible(welcome), "the welcome screen is shown although it is switched off");
  CHECK_MSG(isResponsive(k.mainWindow(), Ms{1000}), "the program does not answer");
  CHECK_EQ(k.close(), DWORD{0});
}

namespace {

// 1024 x 768: the OSD font is (768 div 40) x (size index + 1) points.
int osdPoints(int sizeIndex) { return (768 / 40) * (sizeIndex + 1); }

// Keypad 5 shows the label "Five" and carries out nothing.
constexpr char kFiveKey[] =
    "[NumPadKey8]\r\nOSDLabel=Five\r\nFileName=\r\nGoToAdress=\r\nAction=99\r\nSelectedFunction=0\r\n";
constexpr char kActive[] = "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n";

// The settings of the built-in default file, the welcome screen off.
constexpr char kQuietSettings[] =
    "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=1\r\nFontName=Arial\r\nBold=1\r\n"
    "Italic=0\r\nOSDSize=1\r\nOSDColor=clLime\r\nOSDProgressStyle=1\r\nOSDTimeOut=0\r\n";

constexpr std::uint32_t kLime = 0x00FF00;
constexpr std::uint32_t kOrange = 0xFF8000;  // as the screen shows it: 0x00RRGGBB

// Starts the program with this file and waits until its deferred start is over.
KeytideProcess& startActive(TestContext& t, const std::string& ini) {
  t.write(kIni, ini);
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "keypad 5 was not grabbed after the start");
  return k;
}

// Opens the tray menu with the right button and chooses its n-th command
// (1: "Show..."; the keyboard skips the separators).
void chooseFromTrayMenu(KeytideProcess& k, int n) {
  REQUIRE_MSG(clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN), "the tray icon could not be clicked");
  HWND menu = waitForPopupMenu(k.pid());
  REQUIRE_MSG(menu != nullptr, "no tray menu on the right button");
  for (int i = 0; i < n; ++i) pressKey(VK_DOWN);
  pressKey(VK_RETURN);
  CHECK_MSG(waitUntil([&] { return !isVisible(menu); }), "the tray menu stayed open");
}

// The editor's Cancel: back in the tray, key presses carried out again.
void backToTheTray(KeytideProcess& k) {
  HWND cancel = findChildWithText(k.mainWindow(), "Cancel");
  REQUIRE_MSG(cancel != nullptr, "the editor has no \"Cancel\" button");
  click(cancel);
  REQUIRE_MSG(waitUntil([&] { return !isVisible(k.mainWindow()); }), "the editor's Cancel did not hide it");
  REQUIRE_MSG(waitForTrayIcon(k), "no tray icon after the editor");
  CHECK_MSG(taskbarWindows(k.pid()).empty(), "a taskbar button stayed after the editor and its dialog");
}

// The settings dialog as a user reaches it: the tray menu's "Show..." for
// the editor, then its "Settings..." button.
class SettingsDialog {
 public:
  explicit SettingsDialog(KeytideProcess& k) : k_(k) {}

  void open() {
    HWND main = k_.mainWindow();
    REQUIRE_MSG(main != nullptr, "no main window");
    if (!isVisible(main)) {
      chooseFromTrayMenu(k_, 1);  // "Show..."
      REQUIRE_MSG(waitUntil([&] { return isVisible(main); }), "\"Show...\" did not show the editor");
      pause(Ms{400});
    }
    HWND button = findChildWithText(main, "Settings...");
    REQUIRE_MSG(button != nullptr, "the editor has no \"Settings...\" button");
    click(button);
    window_ = k_.window(kSettingsClass);
    REQUIRE_MSG(window_ != nullptr, "no settings dialog (class TktdSettingsForm)");
    REQUIRE_MSG(waitUntil([&] { return isVisible(window_); }, Ms{5000}), "\"Settings...\" did not show the dialog");
    pause(Ms{300});
  }

  HWND window() const { return window_; }
  HWND control(SettingsControl control) const { return GetDlgItem(window_, layout::IdOf(control)); }
  HWND button(int id) const { return GetDlgItem(window_, id); }
  HWND closeButton() const {
    HWND titleBar = ChildWindowFromPointEx(window_, POINT{20, 10}, CWP_SKIPINVISIBLE);
    return titleBar ? GetDlgItem(titleBar, layout::kCloseId) : nullptr;
  }

  bool checked(SettingsControl c) const { return ask(control(c), BM_GETCHECK) == BST_CHECKED; }
  int selection(SettingsControl c) const { return static_cast<int>(ask(control(c), CB_GETCURSEL)); }
  std::string selectedText(SettingsControl c) const { return controlText(control(c)); }
  // The swatch's colour on the screen, in from its black outline. The part
  // of the dialog that the colour dialog covered is repainted a moment after
  // it closes: the colour is the one the swatch settles on.
  std::uint32_t swatchColor(std::optional<std::uint32_t> expected = {}) const {
    const RECT r = windowRect(control(SettingsControl::Color));
    std::uint32_t color = 0;
    waitUntil([&] {
      color = captureScreen().at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      return expected ? color == *expected : color != 0;
    }, Ms{3000});
    return color;
  }

  void toggle(SettingsControl c) { click(control(c)); }
  // Picks an entry with the arrow keys, one press at a time, as far as it takes.
  void select(SettingsControl c, const std::string& entry) {
    const std::vector<std::string> entries = listEntries(control(c));
    const auto at = std::find(entries.begin(), entries.end(), entry);
    REQUIRE_MSG(at != entries.end(), "the list has no entry " + quoted(entry));
    const int wanted = static_cast<int>(at - entries.begin());
    click(control(c));
    if (ask(control(c), CB_GETDROPPEDSTATE)) {
      pressKey(VK_RETURN);
      pause(kStep);
    }
    for (size_t press = 0; press <= entries.size() && selection(c) != wanted; ++press) {
      pressKey(selection(c) < wanted ? VK_DOWN : VK_UP);
      waitUntil([&] { return ask(control(c), CB_GETDROPPEDSTATE) == 0; }, Ms{200});
      pause(Ms{60});
    }
    CHECK_EQ(selectedText(c), entry);
  }

  // Opens the colour dialog from the swatch, types the colour into its red,
  // green and blue fields and confirms (or cancels) it.
  void chooseColor(int r, int g, int b, bool confirm) {
    click(control(SettingsControl::Color));
    HWND dialog = nullptr;
    REQUIRE_MSG(waitUntil([&] {
                  for (HWND w : findWindows(k_.pid(), "#32770"))
                    if (isVisible(w) && GetDlgItem(w, COLOR_RED) != nullptr) dialog = w;
                  return dialog != nullptr;
                }, Ms{5000}),
                "the swatch did not open the colour dialog");
    pause(Ms{300});
    HWND red = GetDlgItem(dialog, COLOR_RED);
    if (!IsWindowVisible(red)) {
      click(GetDlgItem(dialog, COLOR_MIX));  // "Define Custom Colors >>"
      REQUIRE_MSG(waitUntil([&] { return IsWindowVisible(red) != FALSE; }, Ms{3000}),
                  "the colour dialog did not open its custom part");
    }
    const std::pair<int, int> fields[] = {{COLOR_RED, r}, {COLOR_GREEN, g}, {COLOR_BLUE, b}};
    for (const auto& [id, value] : fields) {
      click(GetDlgItem(dialog, id));
      pressKey(VK_END);
      pressTimes(VK_BACK, 4);
      typeText(std::to_string(value));
    }
    click(GetDlgItem(dialog, confirm ? IDOK : IDCANCEL));
    CHECK_MSG(waitUntil([&] { return !isVisible(dialog); }, Ms{3000}), "the colour dialog stayed open");
    pause(kStep);
  }

  void clickButton(int id) { click(button(id)); }
  bool waitHidden() const { return waitUntil([&] { return !isVisible(window_); }, Ms{5000}); }

 private:
  KeytideProcess& k_;
  HWND window_ = nullptr;
};

// Every control's state, as the window shows it.
struct ControlStates {
  std::vector<bool> checks;
  std::vector<int> lists;
  std::uint32_t swatch = 0;
  bool operator==(const ControlStates&) const = default;
};

ControlStates statesOf(const SettingsDialog& dialog) {
  ControlStates states;
  for (SettingsControl c : {SettingsControl::AutoLoad, SettingsControl::WelcomeScreen, SettingsControl::UseScrollLock,
                            SettingsControl::AnimateTray, SettingsControl::Bold, SettingsControl::Italic})
    states.checks.push_back(dialog.checked(c));
  for (SettingsControl c :
       {SettingsControl::Font, SettingsControl::Size, SettingsControl::BarStyle, SettingsControl::TimeOut})
    states.lists.push_back(dialog.selection(c));
  states.swatch = dialog.swatchColor();
  return states;
}

std::string describe(const ControlStates& states) {
  std::string text = "checks";
  for (bool c : states.checks) text.append(c ? " 1" : " 0");
  text.append(", lists");
  for (int l : states.lists) text.append(" ").append(std::to_string(l));
  return text.append(", swatch ").append(hex(states.swatch));
}

// The text window's shape for the label and whether it shows `color`.
void checkLabel(HWND text, const std::string& label, const char* face, int sizeIndex, bool bold, bool italic,
                std::uint32_t color, const std::string& shotPath) {
  const WindowRegion region = windowRegion(text);
  REQUIRE_MSG(region.present && region.area() > 0, "the text window has no shape");
  const PixelSet shape = pixelsOf(region);
  const RECT placed = windowRect(text);
  const POINT origin{placed.left, placed.top};
  // Wine's screen reads from another process sometimes come back blank while
  // that process is busy: the last read is what counts.
  size_t shown = 0;
  ScreenShot shot;
  waitUntil([&] {
    shot = captureScreen();
    return (shown = colorCount(shot, origin, shape, color)) == shape.size();
  }, Ms{3000});
  // Only now the slower drawing of the expected shape: the preview shows its
  // sample for its time-out only.
  const PixelSet expected = labelInk(label, face, osdPoints(sizeIndex), bold, italic);
  CHECK_MSG(shape == expected, "the shape is not " + quoted(label) + " in " + face + ": " +
                                   describeDifference(expected, shape));
  shot.save(shotPath, RECT{0, 0, shot.width, shot.height});
  CHECK_MSG(shown == shape.size(), std::to_string(shape.size() - shown) + " of " + std::to_string(shape.size()) +
                                       " label pixels are not " + hex(color) + " on screen (see " + shotPath + ")");
}

}  // namespace

E2E_TEST("settings_dialog.opens_from_the_editor_centred_on_its_gradient_with_the_focus_on_italic") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, std::string(kQuietSettings) + kActive);
  SettingsDialog dialog(k);
  dialog.open();
  HWND window = dialog.window();
  CHECK_EQ(windowText(window), std::string("Keytide - settings"));
  const RECT placed = windowRect(window);
  const SIZE screen = screenSize();
  CHECK_EQ(placed.right - placed.left, 354L);
  CHECK_EQ(placed.bottom - placed.top, 344L);
  CHECK_EQ(placed.left, (screen.cx - 354) / 2L);
  CHECK_EQ(placed.top, (screen.cy - 344) / 2L);
  CHECK_MSG(!IsWindowEnabled(k.mainWindow()), "the editor is enabled while the dialog is up");
  CHECK_MSG(focusOf(window) == dialog.control(SettingsControl::Italic), "the focus is not on \"Italic\"");
  // What the controls show: the file's settings.
  CHECK(dialog.checked(SettingsControl::UseScrollLock));
  CHECK(dialog.checked(SettingsControl::Bold));
  CHECK(!dialog.checked(SettingsControl::Italic));
  CHECK(!dialog.checked(SettingsControl::WelcomeScreen));
  CHECK_EQ(dialog.selectedText(SettingsControl::Font), std::string("Arial"));
  CHECK_EQ(dialog.selectedText(SettingsControl::Size), std::string("Normal"));
  CHECK_EQ(dialog.selectedText(SettingsControl::BarStyle), std::string("Rounded"));
  CHECK_EQ(dialog.selectedText(SettingsControl::TimeOut), std::string("1"));
  CHECK_EQ(listEntries(dialog.control(SettingsControl::TimeOut)).size(), size_t{10});

  // The look: the gradient's first row under the sunken edge, the title bar,
  // the group's frame, the lime swatch.
  pause(Ms{300});
  const ScreenShot shot = captureScreen();
  shot.save(t.path("settings.bmp"), placed);
  const POINT o{placed.left, placed.top};
  CHECK_EQ(hex(shot.at(o.x + 200, o.y + 14)), std::string("#8CDAFF"));
  CHECK_EQ(hex(shot.at(o.x + 8, o.y + 200)), std::string("#0080C0"));
  const std::uint32_t top = shot.at(o.x + 100, o.y + 30);
  const std::uint32_t bottom = shot.at(o.x + 100, o.y + 340);
  CHECK_MSG(blue(top) > 0xD0 && red(top) < 0x30, "the gradient's upper part is not #0098E1-like: " + hex(top));
  CHECK_MSG(red(bottom) > 0xA0, "the gradient's lower part is not pale: " + hex(bottom));
  CHECK_EQ(hex(dialog.swatchColor(kLime)), hex(kLime));

  // The title bar drags the window with the left button only.
  const POINT grip{placed.left + 150, placed.top + 12};
  drag(grip, {grip.x - 40, grip.y + 30}, true);
  const RECT afterRight = windowRect(window);
  CHECK_MSG(EqualRect(&placed, &afterRight) != FALSE, "the right button moved the dialog");
  drag(grip, {grip.x - 40, grip.y + 30}, false);
  const RECT moved = windowRect(window);
  CHECK_MSG(moved.left == placed.left - 40 && moved.top == placed.top + 30,
            "the left button moved the dialog by (" + std::to_string(moved.left - placed.left) + ", " +
                std::to_string(moved.top - placed.top) + "), not (-40, 30)");
  dialog.clickButton(layout::kCancelId);
  CHECK(dialog.waitHidden());
  CHECK_MSG(IsWindowEnabled(k.mainWindow()), "Cancel did not enable the editor again");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("settings_dialog.preview_shows_the_unsaved_choices_and_ok_writes_every_key_in_order") {
  MouseParkedAtEnd parked;
  // Only the first two keys are in the file: the save writes them in place
  // and appends the others in its own order.
  const std::string original =
      std::string(kFiveKey) + "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\n" + kActive;
  KeytideProcess& k = startActive(t, original);
  SettingsDialog dialog(k);
  dialog.open();
  dialog.select(SettingsControl::Font, "Liberation Serif");
  dialog.select(SettingsControl::Size, "Large");
  dialog.chooseColor(255, 128, 0, true);
  CHECK_EQ(hex(dialog.swatchColor(kOrange)), hex(kOrange));
  dialog.select(SettingsControl::BarStyle, "Normal");
  dialog.select(SettingsControl::TimeOut, "2");
  CHECK_EQ(t.read(kIni), original);

  // "Preview": the sample and the full-width bar for two seconds, unsaved.
  dialog.clickButton(layout::kPreviewId);
  HWND text = k.window(kTextClass);
  HWND progress = k.window(kProgressClass);
  REQUIRE(text != nullptr && progress != nullptr);
  REQUIRE_MSG(waitUntil([&] { return isVisible(text) && isVisible(progress); }, Ms{3000}),
              "\"Preview\" did not show the sample");
  // The program goes on with its messages while the sample is up.
  CHECK_MSG(isResponsive(k.mainWindow(), Ms{1000}) && isVisible(text), "the program froze during the preview");
  checkLabel(text, "OSD Test", "Liberation Serif", 2, true, false, kOrange, t.path("preview.bmp"));
  const RECT bar = windowRect(progress);
  CHECK_EQ(bar.left, 0L);
  CHECK_EQ(bar.right, 1024L);
  CHECK_EQ(bar.top, 768L - 768 / 7);
  const WindowRegion segments = windowRegion(progress);
  CHECK_MSG(segments.present && segments.box.right > 1024 - 768 / 10, "the bar does not reach across the screen");
  // "Normal" segments are plain rectangles as high as the bar; rounded ones are not.
  for (const RECT& r : segments.rects)
    CHECK_MSG(r.bottom - r.top == 768 / 10, "a bar segment is not a plain rectangle of the bar's height");
  CHECK_EQ(t.read(kIni), original);
  CHECK_MSG(waitUntil([&] { return !isVisible(text) && !isVisible(progress); }, Ms{5000}),
            "the sample stayed after its time-out");

  // "Ok": every key, in order; the editor back; the next key press in the new look.
  dialog.clickButton(layout::kOkId);
  CHECK(dialog.waitHidden());
  CHECK_MSG(IsWindowEnabled(k.mainWindow()), "OK did not enable the editor again");
  const std::string expected = std::string(kFiveKey) +
                               "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=1\r\n"
                               "FontName=Liberation Serif\r\nBold=1\r\nItalic=0\r\nOSDSize=2\r\nOSDColor=$000080FF\r\n"
                               "OSDProgressStyle=0\r\nOSDTimeOut=1\r\n" +
                               kActive;
  const auto saved = waitForFile(t.path(kIni), [&](const std::string& s) { return s == expected; }, Ms{3000});
  CHECK_MSG(saved.has_value(), "ktd.ini after OK: " + firstDifference(expected, t.read(kIni).value_or("")));

  backToTheTray(k);
  pressKey(VK_NUMPAD5);
  REQUIRE_MSG(waitUntil([&] { return isVisible(text); }), "keypad 5 showed no label");
  checkLabel(text, "Five", "Liberation Serif", 2, true, false, kOrange, t.path("five.bmp"));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("settings_dialog.cancel_x_and_closing_bring_every_control_back_from_the_file") {
  MouseParkedAtEnd parked;
  const std::string original = std::string(kFiveKey) + kQuietSettings + kActive;
  KeytideProcess& k = startActive(t, original);
  SettingsDialog dialog(k);
  dialog.open();
  const ControlStates stored = statesOf(dialog);
  CHECK_EQ(hex(stored.swatch), hex(kLime));

  // A cancelled colour dialog keeps the colour.
  dialog.chooseColor(255, 128, 0, false);
  CHECK_EQ(hex(dialog.swatchColor(kLime)), hex(kLime));

  // Every control changed.
  for (SettingsControl c : {SettingsControl::AutoLoad, SettingsControl::WelcomeScreen, SettingsControl::UseScrollLock,
                            SettingsControl::AnimateTray, SettingsControl::Bold, SettingsControl::Italic})
    dialog.toggle(c);
  dialog.select(SettingsControl::Font, "Liberation Serif");
  dialog.select(SettingsControl::Size, "Small");
  dialog.chooseColor(255, 128, 0, true);
  dialog.select(SettingsControl::BarStyle, "Normal");
  dialog.select(SettingsControl::TimeOut, "4");
  const ControlStates changed = statesOf(dialog);
  for (size_t i = 0; i < changed.checks.size(); ++i) CHECK_MSG(changed.checks[i] != stored.checks[i], "a check box did not change");
  for (size_t i = 0; i < changed.lists.size(); ++i) CHECK_MSG(changed.lists[i] != stored.lists[i], "a list did not change");
  CHECK_EQ(hex(changed.swatch), hex(kOrange));

  dialog.clickButton(layout::kCancelId);
  CHECK(dialog.waitHidden());
  CHECK_MSG(IsWindowEnabled(k.mainWindow()), "Cancel did not enable the editor again");
  CHECK_EQ(t.read(kIni), original);
  dialog.open();
  const ControlStates restored = statesOf(dialog);
  CHECK_MSG(restored == stored, "after Cancel: " + describe(restored) + "; stored: " + describe(stored));

  // The title bar's X and Alt+F4 do the same.
  for (const char* way : {"X", "Alt+F4"}) {
    dialog.toggle(SettingsControl::Italic);
    dialog.select(SettingsControl::TimeOut, "7");
    if (std::string(way) == "X") {
      click(dialog.closeButton());
    } else {
      // From a check box: Wine's combo box swallows every Alt key combination
      // (Windows passes Alt+F4 on, which closes the window).
      dialog.toggle(SettingsControl::Italic);
      dialog.toggle(SettingsControl::Italic);
      pressChord({VK_MENU, VK_F4});
    }
    CHECK_MSG(dialog.waitHidden(), std::string(way) + " did not hide the dialog");
    CHECK_MSG(IsWindow(dialog.window()), std::string(way) + " destroyed the dialog");
    CHECK_MSG(IsWindowEnabled(k.mainWindow()), std::string(way) + " did not enable the editor again");
    dialog.open();
    const ControlStates again = statesOf(dialog);
    CHECK_MSG(again == stored, std::string("after ") + way + ": " + describe(again));
  }
  dialog.clickButton(layout::kCancelId);
  CHECK(dialog.waitHidden());

  // The settings in force are the file's again: the label in Arial, lime.
  backToTheTray(k);
  pressKey(VK_NUMPAD5);
  HWND text = k.window(kTextClass);
  REQUIRE_MSG(waitUntil([&] { return isVisible(text); }), "keypad 5 showed no label");
  checkLabel(text, "Five", "Arial", 1, true, false, kLime, t.path("five.bmp"));
  CHECK_EQ(t.read(kIni), original);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("settings_dialog.ok_applies_the_scroll_lock_option_to_num_lock") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, std::string(kQuietSettings) + kActive);
  CHECK_MSG(!hotKeyFree(VK_NUMLOCK), "Num Lock was not held at the start");
  SettingsDialog dialog(k);
  dialog.open();
  dialog.toggle(SettingsControl::UseScrollLock);
  CHECK(!dialog.checked(SettingsControl::UseScrollLock));
  dialog.clickButton(layout::kOkId);
  CHECK(dialog.waitHidden());
  // Probed once OK's message has been handled: a probe while the program
  // grabs the key could take it from it.
  isResponsive(k.mainWindow());
  CHECK_MSG(hotKeyFree(VK_NUMLOCK), "OK with \"Use Scroll Lock\" off kept the Num Lock grab");
  CHECK_MSG(waitForFile(t.path(kIni), [](const std::string& s) { return s.find("ScrollLock=0\r\n") != std::string::npos; },
                        Ms{3000})
                .has_value(),
            "ScrollLock=0 was not saved");

  // And on again: the grab comes back.
  dialog.open();
  dialog.toggle(SettingsControl::UseScrollLock);
  dialog.clickButton(layout::kOkId);
  CHECK(dialog.waitHidden());
  isResponsive(k.mainWindow());
  CHECK_MSG(!hotKeyFree(VK_NUMLOCK), "OK with \"Use Scroll Lock\" on did not grab Num Lock");
  CHECK_EQ(k.close(), DWORD{0});
}

// Wine's oleacc reports every button as a "client" object: checked instead of
// the roles is what makes Windows' proxy report them (the button type) and the
// swatch's name and keys. The check boxes' clicks: the other settings flows.
E2E_TEST("settings_dialog.check_boxes_and_the_colour_swatch_are_what_a_screen_reader_needs") {
  MouseParkedAtEnd parked;
  KeytideProcess& k = startActive(t, std::string(kQuietSettings) + kActive);
  SettingsDialog dialog(k);
  dialog.open();
  HWND swatch = dialog.control(SettingsControl::Color);
  const auto type = [](HWND control) { return GetWindowLongA(control, GWL_STYLE) & (BS_TYPEMASK | BS_PUSHLIKE); };
  CHECK_EQ(type(dialog.control(SettingsControl::Bold)), static_cast<LONG>(BS_AUTOCHECKBOX));
  CHECK_EQ(type(swatch), static_cast<LONG>(BS_PUSHBUTTON));
  CHECK_EQ(windowText(swatch), std::string("Color"));
  const auto focus = [&] { return focusOf(dialog.window()); };
  for (int i = 0; i < 8 && focus() != swatch; ++i, pause(Ms{100})) pressKey(VK_TAB);
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    pressKey(key);
    HWND colours = nullptr;
    CHECK_MSG(waitUntil([&] { return isVisible(colours = k.window("#32770")); }, Ms{5000}), "no colour dialog");
    pause(Ms{300});
    pressKey(VK_ESCAPE);
    CHECK_MSG(waitUntil([&] { return !isVisible(colours) && focus() == swatch; }, Ms{3000}), "focus not back");
  }
  dialog.clickButton(layout::kCancelId);
  CHECK(dialog.waitHidden());
  CHECK_EQ(k.close(), DWORD{0});
}

namespace {

constexpr char kAboutClass[] = "TktdAboutForm";
constexpr char kHomePage[] = "http://keytide.example.org/";
constexpr char kSupportMail[] = "mailto:support@keytide.example.org";

// "About..." from the tray menu.
HWND openAboutFromTray(KeytideProcess& k) {
  chooseFromTrayMenu(k, 5);
  HWND about = k.window(kAboutClass);
  REQUIRE_MSG(about != nullptr, "no About window (class TktdAboutForm)");
  REQUIRE_MSG(waitUntil([&] { return isVisible(about); }), "\"About...\" did not show the About window");
  pause(Ms{300});
  return about;
}

// A point of the About window's client area (96 DPI) on the screen.
POINT onScreen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

// Where the program puts a link's white copy: as wide as its text in Arial
// 13 px bold underlined, centred on its designed box (client coordinates).
RECT whiteLink(const std::string& text, const RECT& designed) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
  HGDIOBJ old = SelectObject(screen, font);
  SIZE extent{};
  GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  const LONG left = (designed.left + designed.right - extent.cx) / 2;
  return RECT{left, designed.top, left + extent.cx, designed.top + std::max(extent.cy, designed.bottom - designed.top)};
}

// marker.exe as the open command of "http" and "mailto" for the test's
// length; the commands that were there come back at its end.
class LinkHandlers {
 public:
  explicit LinkHandlers(const std::string& marker) {
    for (const char* key : {kHttp, kMail}) previous_.push_back(regReadString(HKEY_CLASSES_ROOT, key, ""));
    REQUIRE(regWriteString(HKEY_CLASSES_ROOT, kHttp, "", "\"" + marker + "\" -url \"%1\""));
    REQUIRE(regWriteString(HKEY_CLASSES_ROOT, kMail, "", "\"" + marker + "\" /mail %1"));
  }
  LinkHandlers(const LinkHandlers&) = delete;
  LinkHandlers& operator=(const LinkHandlers&) = delete;
  ~LinkHandlers() {
    const char* keys[] = {kHttp, kMail};
    for (size_t i = 0; i < 2; ++i) {
      if (previous_[i]) regWriteString(HKEY_CLASSES_ROOT, keys[i], "", *previous_[i]);
    }
  }

 private:
  static constexpr char kHttp[] = "http\\shell\\open\\command";
  static constexpr char kMail[] = "mailto\\shell\\open\\command";
  std::vector<std::optional<std::string>> previous_;
};

bool ktdActiveIs(TestContext& t, const char* value) {
  const auto text = t.read(kIni);
  return text && text->find(std::string("IsKTDActive=") + value + "\r\n") != std::string::npos;
}

}  // namespace

E2E_TEST("about.shows_from_the_tray_and_each_close_gives_back_the_editor_and_the_tray_mouse") {
  MouseParkedAtEnd parked;
  t.write(kIni, std::string(kQuietSettings) + kActive);
  KeytideProcess& k = t.start();
  awaitStarted(k);
  const struct {
    const char* way;
    std::function<void(HWND)> close;
  } ways[] = {
      {"Ok", [](HWND about) { click(GetDlgItem(about, 101)); }},
      {"X", [](HWND about) {
         HWND titleBar = ChildWindowFromPointEx(about, POINT{20, 10}, CWP_SKIPINVISIBLE);
         click(GetDlgItem(titleBar, 100));
       }},
      {"Alt+F4", [](HWND about) {
         // The click on the tray icon made the tray's window the active one.
         clickSteadily(onScreen(about, 30, 270));
         pressChord({VK_MENU, VK_F4});
       }},
  };
  bool first = true;
  for (const auto& way : ways) {
    HWND about = openAboutFromTray(k);
    CHECK_MSG(!IsWindowEnabled(k.mainWindow()), std::string(way.way) + ": the editor is enabled while About is up");
    if (first) {
      first = false;
      // Borderless, centred, 349 x 295, on top.
      CHECK_EQ(windowText(about), std::string("Keytide - About"));
      const RECT placed = windowRect(about);
      const SIZE screen = screenSize();
      CHECK_EQ(placed.right - placed.left, 349L);
      CHECK_EQ(placed.bottom - placed.top, 295L);
      CHECK_EQ(placed.left, (screen.cx - 349) / 2L);
      CHECK_EQ(placed.top, (screen.cy - 295) / 2L);
      CHECK_MSG(isTopmost(about), "the About window is not topmost");
      // The look: title bar, the inner panel's blue, the sunken frame of the
      // box behind the links, the blue name over its black shadow, the white links.
      const ScreenShot shot = captureScreen();
      shot.save(t.path("about.bmp"), placed);
      const POINT o{placed.left, placed.top};
      CHECK_EQ(hex(shot.at(o.x + 60, o.y + 14)), std::string("#8CDAFF"));
      CHECK_EQ(hex(shot.at(o.x + 12, o.y + 100)), std::string("#0080C0"));
      CHECK_EQ(hex(shot.at(o.x + 100, o.y + 108)), std::string("#808080"));  // Gradient6's grey top edge
      CHECK_EQ(hex(shot.at(o.x + 100, o.y + 196)), std::string("#FFFFFF"));  // and its white bottom edge
      int nameBlue = 0, nameBlack = 0;
      for (int y = 42; y < 88; ++y)
        for (int x = 44; x < 302; ++x) {
          nameBlue += shot.at(o.x + x, o.y + y) == 0x0080C0 ? 1 : 0;
          nameBlack += shot.at(o.x + x, o.y + y) == 0 ? 1 : 0;
        }
      CHECK_MSG(nameBlue > 300 && nameBlack > 50, "the product name is not blue over black: " +
                                                     std::to_string(nameBlue) + " blue, " + std::to_string(nameBlack) +
                                                     " black pixels");
      int white = 0;
      for (int y = 131; y < 147; ++y)
        for (int x = 40; x < 310; ++x) white += shot.at(o.x + x, o.y + y) == 0xFFFFFF ? 1 : 0;
      CHECK_MSG(white > 100, "the home page link is not white: " + std::to_string(white) + " white pixels");
    }
    // The tray ignores the mouse while About is up.
    clickTrayIcon(k);
    pause(Ms{800});
    CHECK_MSG(ktdActiveIs(t, "1"), std::string(way.way) + ": a click on the tray icon switched the program");

    way.close(about);
    CHECK_MSG(waitUntil([&] { return !isVisible(about); }, Ms{5000}), std::string(way.way) + " did not close About");
    CHECK_MSG(IsWindow(about), std::string(way.way) + " destroyed the About window");
    CHECK_MSG(IsWindowEnabled(k.mainWindow()), std::string(way.way) + ": the editor stayed disabled");
    clickTrayIcon(k);
    CHECK_MSG(waitUntil([&] { return ktdActiveIs(t, "0"); }), std::string(way.way) + ": the tray ignores the mouse");
    clickTrayIcon(k);
    CHECK_MSG(waitUntil([&] { return ktdActiveIs(t, "1"); }), std::string(way.way) + ": the second click did nothing");
  }
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("about.the_white_links_open_the_home_page_and_a_mail_and_their_shadows_do_nothing") {
  MouseParkedAtEnd parked;
  LinkHandlers handlers(t.installMarker());
  t.write(kIni, std::string(kQuietSettings) + kActive);
  KeytideProcess& k = t.start();
  awaitStarted(k);
  HWND about = openAboutFromTray(k);

  const RECT home = whiteLink(kHomePage, RECT{74, 131, 274, 147});
  const RECT mail = whiteLink(kSupportMail, RECT{88, 171, 258, 187});
  // The strip of black shadow right of the white copy is no link; nor is
  // the caption above it.
  clickSteadily(onScreen(about, home.right, (home.top + home.bottom) / 2));
  clickSteadily(onScreen(about, 160, 120));
  pause(Ms{1500});
  CHECK_MSG(readMarkerLog(t.markerLog()).empty(), "a click beside the white link opened something");

  // Over the white copy: the hand, and a click runs the http handler.
  const POINT link = onScreen(about, (home.left + home.right) / 2, (home.top + home.bottom) / 2);
  sendMouse({mouseInput(link, 0)});
  pause(Ms{300});
  // Wine gives each process its own handle of a system cursor and does not
  // let another process read it (Windows shares one handle): the link's
  // cursor is known as the hand that "Ok" shows, not the arrow beside it.
  auto cursorAt = [](POINT at) {
    sendMouse({mouseInput(at, 0)});
    pause(Ms{300});
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
  };
  const HCURSOR overLink = cursorAt(link);
  const HCURSOR overOk = cursorAt(centreOf(GetDlgItem(about, 101)));
  const HCURSOR beside = cursorAt(onScreen(about, 160, 120));
  CHECK_MSG(overLink != nullptr && overLink == overOk && overLink != beside,
            "the cursor over the link is not the hand that \"Ok\" shows");
  clickSteadily(link);
  auto runs = waitForMarkerRuns(t.markerLog(), 1);
  REQUIRE_MSG(runs.has_value(), "a click on the white link started nothing");
  CHECK_MSG((*runs)[0].commandLine.find(kHomePage) != std::string::npos, "the http handler got " +
                                                                              quoted((*runs)[0].commandLine));
  CHECK_MSG(isVisible(about), "the link closed the About window");

  clickSteadily(onScreen(about, (mail.left + mail.right) / 2, (mail.top + mail.bottom) / 2));
  runs = waitForMarkerRuns(t.markerLog(), 2);
  REQUIRE_MSG(runs.has_value(), "a click on the mail link started nothing");
  CHECK_MSG((*runs)[1].commandLine.find(kSupportMail) != std::string::npos, "the mail handler got " +
                                                                                 quoted((*runs)[1].commandLine));

  // The title bar drags the window with the left button only.
  const RECT placed = windowRect(about);
  const POINT grip{placed.left + 60, placed.top + 12};
  drag(grip, {grip.x - 40, grip.y + 30}, true);
  const RECT afterRight = windowRect(about);
  CHECK_MSG(EqualRect(&placed, &afterRight) != FALSE, "the right button moved the About window");
  drag(grip, {grip.x - 40, grip.y + 30}, false);
  const RECT moved = windowRect(about);
  CHECK_MSG(moved.left == placed.left - 40 && moved.top == placed.top + 30,
            "the left button moved the About window by (" + std::to_string(moved.left - placed.left) + ", " +
                std::to_string(moved.top - placed.top) + "), not (-40, 30)");
  click(GetDlgItem(about, 101));
  CHECK(waitUntil([&] { return !isVisible(about); }));
  CHECK_EQ(k.close(), DWORD{0});
}
