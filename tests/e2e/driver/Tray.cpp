// The tray icon and the menus seen from outside: whether the shell holds the
// program's icon, where it is on the screen, mouse clicks on it, the screen's
// pixels and the program's popup menus.
#include <windows.h>
// windows.h first: shellapi.h depends on it.
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "Driver.h"
#include "model/Names.h"

namespace ktd::e2e {
namespace {


GUID trayGuid() {
  const keytide::names::Guid& id = keytide::names::kTrayIconGuid;
  GUID guid{};
  guid.Data1 = id.data1;
  guid.Data2 = id.data2;
  guid.Data3 = id.data3;
  std::copy(std::begin(id.data4), std::end(id.data4), std::begin(guid.Data4));
  return guid;
}

NOTIFYICONDATAW iconRecord(HWND window, bool byGuid) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = keytide::names::kTrayIconNumber;
  if (byGuid) {
    data.uFlags = NIF_GUID;
    data.guidItem = trayGuid();
  }
  return data;
}

// Wine 8 draws the icons of a desktop without a tray of its own (a bare Xvfb
// has no XEmbed tray manager) in its stand-alone "Wine System Tray" window,
// one child window per icon. It has no Shell_NotifyIconGetRect, so there the
// icon is that child window; the tests run one program at a time, so it is
// the only one.
constexpr char kWineTrayClass[] = "__winex11_standalone_tray";
constexpr char kWineTrayIconClass[] = "__winex11_tray_icon";

std::optional<RECT> wineTrayIconRect() {
  std::vector<HWND> icons;
  HWND tray = nullptr;
  while ((tray = FindWindowExA(nullptr, tray, kWineTrayClass, nullptr)) != nullptr) {
    if (!IsWindowVisible(tray)) continue;
    HWND icon = nullptr;
    while ((icon = FindWindowExA(tray, icon, kWineTrayIconClass, nullptr)) != nullptr)
      if (IsWindowVisible(icon)) icons.push_back(icon);
  }
  if (icons.size() != 1) return std::nullopt;
  RECT rect{};
  GetWindowRect(icons.front(), &rect);
  return rect;
}

struct ScreenCapture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down rows, 0x00RRGGBB
};

ScreenCapture capture(const RECT& area) {
  ScreenCapture shot;
  shot.width = area.right - area.left;
  shot.height = area.bottom - area.top;
  if (shot.width <= 0 || shot.height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(source, source + static_cast<size_t>(shot.width) * shot.height);
    for (auto& pixel : shot.pixels) pixel &= 0x00FFFFFF;
    SelectObject(memory, previous);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

}  // namespace

HWND trayIconWindow(const KeytideProcess& k) {
  for (HWND window = nullptr;
       (window = FindWindowExA(HWND_MESSAGE, window, keytide::names::kMessageWindowClass, nullptr)) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == k.pid()) return window;
  }
  return nullptr;
}

bool trayIconPresent(const KeytideProcess& k) {
  HWND window = trayIconWindow(k);
  if (window == nullptr) return false;
  // An icon the program could not add by its GUID (the program moved) is
  // known by window and number.
  for (bool byGuid : {true, false}) {
    NOTIFYICONDATAW data = iconRecord(window, byGuid);
    if (Shell_NotifyIconW(NIM_MODIFY, &data)) return true;
  }
  return false;
}

bool waitForTrayIcon(const KeytideProcess& k, bool present, std::optional<Ms> timeout) {
  return waitUntil([&] { return trayIconPresent(k) == present; }, timeout);
}

void awaitStarted(const KeytideProcess& k, std::source_location where) {
  if (!waitForTrayIcon(k)) {
    // Without the shell's tray window no program's icon can come.
    currentTest().abort(FindWindowA("Shell_TrayWnd", nullptr) != nullptr
                            ? "the tray icon never came: the deferred start did not run"
                            : "the tray icon never came: the session has no tray (Shell_TrayWnd)",
                        where);
  }
  // The steps after the icon (Scroll Lock light, Num Lock, the picture) follow
  // in the same message; let them finish before Num Lock is probed.
  pause(Ms{300});
}

std::optional<RECT> trayIconRect(const KeytideProcess& k) {
  using GetRect = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);
  HMODULE shell = GetModuleHandleA("shell32.dll");
  auto getRect = reinterpret_cast<GetRect>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "Shell_NotifyIconGetRect") : nullptr));
  if (getRect != nullptr) {
    for (bool byGuid : {true, false}) {
      NOTIFYICONIDENTIFIER id{};
      id.cbSize = sizeof id;
      id.hWnd = trayIconWindow(k);
      id.uID = keytide::names::kTrayIconNumber;
      if (byGuid) id.guidItem = trayGuid();
      RECT rect{};
      if (SUCCEEDED(getRect(&id, &rect)) && rect.right > rect.left) return rect;
    }
  }
  return wineTrayIconRect();
}

INPUT mouseInput(POINT at, DWORD flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((at.x * 65535LL) / std::max(width - 1, 1));
  input.mi.dy = static_cast<LONG>((at.y * 65535LL) / std::max(height - 1, 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return input;
}

void sendMouse(const std::vector<INPUT>& steps) {
  for (INPUT step : steps) {
    SendInput(1, &step, sizeof(INPUT));
    pause(Ms{40});
  }
  pause(Ms{150});  // lets the program handle what was sent before the test looks
}

void clickSteadily(POINT at, bool right) {
  sendMouse({mouseInput(at, 0), mouseInput(at, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
             mouseInput(at, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

void drag(POINT from, POINT to, bool right) {
  const POINT halfway{(from.x + to.x) / 2, (from.y + to.y) / 2};
  sendMouse({mouseInput(from, 0), mouseInput(from, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
             mouseInput(halfway, 0), mouseInput(to, 0), mouseInput(to, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

MouseParkedAtEnd::~MouseParkedAtEnd() {
  INPUT input = mouseInput({0, 0}, 0);
  SendInput(1, &input, sizeof(INPUT));
}

bool clickAt(POINT at, DWORD buttonDown) {
  const DWORD buttonUp = buttonDown == MOUSEEVENTF_RIGHTDOWN    ? MOUSEEVENTF_RIGHTUP
                         : buttonDown == MOUSEEVENTF_MIDDLEDOWN ? MOUSEEVENTF_MIDDLEUP
                                                                : MOUSEEVENTF_LEFTUP;
  INPUT inputs[] = {mouseInput(at, MOUSEEVENTF_MOVE), mouseInput(at, buttonDown), mouseInput(at, buttonUp)};
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

bool clickTrayIcon(const KeytideProcess& k, DWORD buttonDown) {
  const auto rect = trayIconRect(k);
  if (!rect) return false;
  return clickAt(POINT{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2}, buttonDown);
}

std::vector<std::uint32_t> screenPixels(const RECT& area) { return capture(area).pixels; }

ScreenShot captureScreen() {
  ScreenCapture shot = capture(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  return ScreenShot{shot.width, shot.height, std::move(shot.pixels)};
}

bool ScreenShot::save(const std::string& path, const RECT& area) const {
  RECT cut{};
  const RECT whole{0, 0, width, height};
  if (pixels.empty() || !IntersectRect(&cut, &area, &whole)) return false;
  const int w = cut.right - cut.left;
  const int h = cut.bottom - cut.top;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = -h;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(w) * static_cast<DWORD>(h) * sizeof(std::uint32_t);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::string content(reinterpret_cast<const char*>(&file), sizeof file);
  content.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = cut.top; y < cut.bottom; ++y) {
    content.append(reinterpret_cast<const char*>(&pixels[static_cast<size_t>(y) * width + cut.left]),
                   static_cast<size_t>(w) * sizeof(std::uint32_t));
  }
  return writeFile(path, content);
}

bool saveScreen(const std::string& path) { return captureScreen().save(path); }

bool saveScreenArea(const std::string& path, const RECT& area) { return captureScreen().save(path, area); }

HWND waitForPopupMenu(DWORD pid, std::optional<Ms> timeout) {
  HWND menu = nullptr;
  waitUntil(
      [&] {
        menu = nullptr;
        for (HWND window : findWindows(pid, "#32768"))
          if (isVisible(window)) menu = window;
        return menu != nullptr;
      },
      timeout);
  return menu;
}

std::optional<std::vector<MenuItem>> menuItems(HWND menuWindow) {
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(menuWindow, kGetMenu, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) || answer == 0)
    return std::nullopt;
  HMENU menu = reinterpret_cast<HMENU>(answer);
  const int count = GetMenuItemCount(menu);
  if (count < 0) return std::nullopt;
  std::vector<MenuItem> items;
  for (int position = 0; position < count; ++position) {
    wchar_t caption[128]{};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = static_cast<UINT>(std::size(caption));
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return std::nullopt;
    MenuItem item;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.checked = (info.fState & MFS_CHECKED) != 0;
    for (const wchar_t* c = caption; *c != 0; ++c) item.caption += static_cast<char>(*c);
    items.push_back(item);
  }
  return items;
}

// Wine's own tray draws a new picture over the old one without clearing it
// first, so the half-transparent pixels at a picture's rounded edge keep some
// of the pictures before; Windows draws each on the bare background. The
// middle is opaque and shows the same pixels for a picture however it was
// reached.
std::vector<std::uint32_t> trayIconMiddle(const KeytideProcess& k) {
  const auto rect = trayIconRect(k);
  if (!rect) return {};
  const LONG insetX = (rect->right - rect->left) / 4;
  const LONG insetY = (rect->bottom - rect->top) / 4;
  return screenPixels(RECT{rect->left + insetX, rect->top + insetY, rect->right - insetX, rect->bottom - insetY});
}

std::vector<std::uint32_t> settledTrayIconMiddle(const KeytideProcess& k) {
  std::vector<std::uint32_t> picture;
  waitUntil([&] {
    auto now = trayIconMiddle(k);
    pause(Ms{200});
    const bool settled = !now.empty() && now == trayIconMiddle(k);
    if (settled) picture = std::move(now);
    return settled;
  });
  return picture;
}

size_t trayIconPictures(const KeytideProcess& k, size_t enough, Ms within) {
  std::vector<std::vector<std::uint32_t>> seen;
  const auto end = std::chrono::steady_clock::now() + within;
  while (seen.size() < enough && std::chrono::steady_clock::now() < end) {
    auto pixels = trayIconMiddle(k);
    if (!pixels.empty() && std::find(seen.begin(), seen.end(), pixels) == seen.end()) seen.push_back(pixels);
    pause(Ms{130});
  }
  return seen.size();
}

bool chooseFromMenu(HWND menuWindow, int n) {
  // The keys go to the foreground thread: the program makes its window the
  // foreground one before it opens the menu, but under load the window system
  // may take a moment to follow.
  DWORD menuProcess = 0;
  GetWindowThreadProcessId(menuWindow, &menuProcess);
  waitUntil([&] {
    DWORD foreground = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foreground);
    return foreground == menuProcess;
  }, Ms{3000});
  for (int i = 0; i < n; ++i) pressKey(VK_DOWN);
  pressKey(VK_RETURN);
  return waitUntil([&] { return !IsWindow(menuWindow) || !IsWindowVisible(menuWindow); });
}

}  // namespace ktd::e2e
