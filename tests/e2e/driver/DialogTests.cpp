// The settings dialog, the welcome screen and the About window seen from
// outside: where they stand and what they show on the screen, what their
// controls change in ktd.ini and in the program's behaviour, and how each of
// them goes away again.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "Driver.h"

using namespace ktd::e2e;

namespace {

constexpr char kWelcomeClass[] = "TktdWelcomeForm";

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

  // Up for its three seconds, then gone; the program answers again.
  pause(Ms{2000});
  CHECK_MSG(isVisible(welcome), "the welcome screen went before its three seconds");
  CHECK_MSG(waitUntil([&] { return !isVisible(welcome); }, Ms{5000}), "the welcome screen stayed up");
  CHECK_MSG(isResponsive(k.mainWindow()), "the program does not answer after the welcome screen");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("welcome.switched_off_it_never_shows") {
  t.write("ktd.ini", "[Settings]\r\nWelcomeScreen=0\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n");
  KeytideProcess& k = t.start();
  REQUIRE_MSG(waitHotKey(VK_NUMPAD5, true), "the keypad was never grabbed");
  HWND welcome = k.window(kWelcomeClass);
  REQUIRE_MSG(welcome != nullptr, "no welcome screen window (class TktdWelcomeForm)");
  pause(Ms{1000});
  CHECK_MSG(!isVisible(welcome), "the welcome screen is shown although it is switched off");
  CHECK_MSG(isResponsive(k.mainWindow(), Ms{1000}), "the program does not answer");
  CHECK_EQ(k.close(), DWORD{0});
}
