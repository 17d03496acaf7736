// The program's faces for the README, taken by scripts/screenshots.sh: each
// test brings one face up in the real program, the way a user would, and
// saves the screen around it as <face>.bmp in the --shots folder (the test's
// own folder without one); the script turns them into PNGs in docs/. They
// run only when asked for ("face.").
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "editor/EditorLayout.h"
#include "model/Names.h"

using namespace ktd::e2e;
namespace names = keytide::names;

namespace {

constexpr char kIni[] = "ktd.ini";

// Sets the value of the first line "key=..." of an INI text.
void setValue(std::string& text, const std::string& key, const std::string& value) {
  const std::string start = "\r\n" + key + "=";
  const auto at = text.find(start);
  REQUIRE_MSG(at != std::string::npos, "default-ktd.ini has no line " + key);
  const auto end = text.find("\r\n", at + start.size());
  text.replace(at + start.size(), end - at - start.size(), value);
}

// The built-in text as a user first gets it, except: the welcome screen only
// where it is the face, a still tray icon (the same picture at any moment),
// no start with Windows, and the longest OSD time-out to take the picture in.
std::string faceIni(TestContext& t, bool welcome = false) {
  std::string text = t.dataText("default-ktd.ini");
  setValue(text, "WelcomeScreen", welcome ? "1" : "0");
  setValue(text, "AnimateSysTray", "0");
  setValue(text, "AutoLoad", "0");
  setValue(text, "OSDTimeOut", "9");
  return text;
}

RECT screenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The mouse out of the way in the screen's lower left corner, where no face
// is: a mouse resting on a control lights it up or shows its hint.
void parkMouse() {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = 0;
  input.mi.dy = 65535;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// Saves the screen around `area` (widened by `margin`, cut to the screen) as
// the face's picture, once two looks a moment apart agree.
void saveFace(TestContext& t, const std::string& face, RECT area, int margin) {
  InflateRect(&area, margin, margin);
  const RECT screen = screenRect();
  REQUIRE_MSG(IntersectRect(&area, &area, &screen), face + " is not on the screen");
  std::vector<std::uint32_t> before;
  const bool settled = waitUntil([&] {
    pause(Ms{250});
    std::vector<std::uint32_t> now = screenPixels(area);
    const bool same = !now.empty() && now == before;
    before = std::move(now);
    return same;
  });
  CHECK_MSG(settled, face + " kept changing on the screen");
  const std::string folder = t.config().shotsDir.empty() ? t.dir() : t.config().shotsDir;
  REQUIRE_MSG(saveScreenArea(folder + "\\" + face + ".bmp", area), "could not save the picture of " + face);
}

// Wine shows the tray icons of a bare X display in a stand-alone window at
// the screen's top left, where the OSD label stands; Windows has them in the
// taskbar's corner. For the OSD's pictures they go to that corner, and back
// afterwards (the window outlives the test).
class TrayInTheCorner {
 public:
  TrayInTheCorner() {
    const RECT screen = screenRect();
    HWND tray = nullptr;
    while ((tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr)) != nullptr) {
      const RECT rect = windowRect(tray);
      moved_.push_back({tray, rect});
      place(tray, screen.right - (rect.right - rect.left), screen.bottom - (rect.bottom - rect.top));
    }
  }
  TrayInTheCorner(const TrayInTheCorner&) = delete;
  TrayInTheCorner& operator=(const TrayInTheCorner&) = delete;
  ~TrayInTheCorner() {
    for (const auto& [tray, rect] : moved_) place(tray, rect.left, rect.top);
  }

 private:
  static void place(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::vector<std::pair<HWND, RECT>> moved_;
};

KeytideProcess& startForFaces(TestContext& t) {
  t.write(kIni, faceIni(t));
  KeytideProcess& k = t.start();
  awaitStarted(k);
  return k;
}

// The part of a shaped window that shows, on the screen.
RECT shapeOnScreen(HWND window) {
  const RECT rect = windowRect(window);
  const WindowRegion region = windowRegion(window);
  if (!region.present || region.rects.empty()) return rect;
  RECT box = region.box;
  OffsetRect(&box, rect.left, rect.top);
  IntersectRect(&box, &box, &rect);
  return box;
}

// Chooses the n-th command of the tray menu with the keyboard, as the tray
// tests do (separators are skipped).
void chooseTrayCommand(const KeytideProcess& k, int n) {
  REQUIRE_MSG(clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN), "the tray icon could not be clicked");
  HWND menu = waitForPopupMenu(k.pid());
  REQUIRE_MSG(menu != nullptr, "no tray menu opened");
  for (int i = 0; i < n; ++i) pressKey(VK_DOWN);
  pressKey(VK_RETURN);
  REQUIRE_MSG(waitUntil([&] { return !isVisible(menu); }), "the tray menu stayed open");
}

constexpr int kShowCommand = 1;
constexpr int kAboutCommand = 5;
constexpr int kKey5Slot = 8;  // keypad slots in reading order: / * - 7 8 9 + 4 5 ...


HWND awaitVisible(const KeytideProcess& k, const char* windowClass, const std::string& what) {
  HWND window = nullptr;
  const bool shown = waitUntil([&] {
    window = nullptr;
    for (HWND candidate : k.windows(windowClass))
      if (isVisible(candidate)) window = candidate;
    return window != nullptr;
  });
  REQUIRE_MSG(shown, what + " did not come (class " + windowClass + ")");
  return window;
}

// The child window of `parent` with this control id, or with this text.
HWND childWhere(HWND parent, const std::function<bool(HWND)>& wanted) {
  std::pair<const std::function<bool(HWND)>*, HWND> search{&wanted, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const std::function<bool(HWND)>*, HWND>*>(param);
        if (!(*s->first)(child)) return TRUE;
        s->second = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void clickControl(HWND parent, const std::function<bool(HWND)>& wanted, const std::string& what) {
  HWND control = childWhere(parent, wanted);
  REQUIRE_MSG(control != nullptr, "no " + what);
  const RECT r = windowRect(control);
  REQUIRE_MSG(clickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), what + " could not be clicked");
}

// The editor from the tray menu's "Show...", keypad 5 chosen.
HWND openEditorOnKey5(const KeytideProcess& k) {
  chooseTrayCommand(k, kShowCommand);
  HWND editor = awaitVisible(k, names::kEditorWindowClass, "the editor");
  pause(Ms{400});
  const auto isKey5 = [](HWND c) { return GetDlgCtrlID(c) == keytide::editor::kKeyFirst + kKey5Slot; };
  clickControl(editor, isKey5, "keypad 5 in the editor");
  // The answer comes once the program has handled the click; the window's
  // first paint can take a second under Wine, and follows.
  HWND key5 = childWhere(editor, isKey5);
  REQUIRE_MSG(waitUntil([&] {
                DWORD_PTR state = 0;
                return SendMessageTimeoutA(key5, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 1000, &state) != 0 &&
                       state == BST_CHECKED;
              }),
              "keypad 5 did not go down in the editor");
  pause(Ms{1000});
  return editor;
}

}  // namespace

// The label and the volume bar of keypad +, after the volume was turned down
// a little so that the bar stands part way.
E2E_TEST_ON_REQUEST("face.osd") {
  KeytideProcess& k = startForFaces(t);
  TrayInTheCorner trayAside;
  for (int press = 0; press < 20; ++press) pressKey(VK_SUBTRACT);
  pause(Ms{500});
  pressKey(VK_ADD);
  HWND label = awaitVisible(k, names::kOsdTextWindowClass, "the OSD label");
  HWND bar = awaitVisible(k, names::kOsdProgressWindowClass, "the volume bar");
  parkMouse();
  saveFace(t, "osd-label", shapeOnScreen(label), 16);
  saveFace(t, "volume-bar", shapeOnScreen(bar), 12);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST_ON_REQUEST("face.tray_menu") {
  KeytideProcess& k = startForFaces(t);
  const auto icon = trayIconRect(k);
  REQUIRE_MSG(icon.has_value(), "the tray icon is not on the screen");
  REQUIRE_MSG(clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN), "the tray icon could not be clicked");
  HWND menu = waitForPopupMenu(k.pid());
  REQUIRE_MSG(menu != nullptr, "no tray menu opened");
  RECT area{};
  const RECT menuRect = windowRect(menu);
  UnionRect(&area, &menuRect, &*icon);
  saveFace(t, "tray-menu", area, 8);
  pressKey(VK_ESCAPE);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST_ON_REQUEST("face.about") {
  KeytideProcess& k = startForFaces(t);
  chooseTrayCommand(k, kAboutCommand);
  HWND about = awaitVisible(k, names::kAboutWindowClass, "the About window");
  parkMouse();
  saveFace(t, "about", windowRect(about), 0);
  PostMessageA(about, WM_CLOSE, 0, 0);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST_ON_REQUEST("face.editor") {
  KeytideProcess& k = startForFaces(t);
  HWND editor = openEditorOnKey5(k);
  parkMouse();
  saveFace(t, "editor", windowRect(editor), 0);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST_ON_REQUEST("face.settings") {
  KeytideProcess& k = startForFaces(t);
  HWND editor = openEditorOnKey5(k);
  clickControl(editor, [](HWND c) { return windowText(c) == "Settings..."; }, "\"Settings...\" in the editor");
  HWND settings = awaitVisible(k, names::kSettingsWindowClass, "the settings dialog");
  parkMouse();
  saveFace(t, "settings", windowRect(settings), 0);
  CHECK_EQ(k.close(), DWORD{0});
}

// The welcome screen shows for three seconds at the start.
E2E_TEST_ON_REQUEST("face.welcome") {
  t.write(kIni, faceIni(t, true));
  KeytideProcess& k = t.start();
  HWND welcome = awaitVisible(k, names::kWelcomeWindowClass, "the welcome screen");
  parkMouse();
  saveFace(t, "welcome", windowRect(welcome), 0);
  awaitStarted(k);
  CHECK_EQ(k.close(), DWORD{0});
}
