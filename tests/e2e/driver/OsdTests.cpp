// The on-screen display seen from outside: the label window's place, shape and
// colour, the skipped rebuild for a repeated key, the time-out, the volume bar
// and its segments and the topmost stacking (the settings preview is the
// settings dialog's, in DialogTests).
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "LabelInk.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kTextClass[] = "TktdOSDTextForm";
constexpr char kProgressClass[] = "TktdOSDProgressForm";
constexpr std::uint32_t kLime = 0x0000FF00;  // the same in COLORREF and in 32-bit DIB pixels
constexpr int kNoAction = 99;                // names no action: the key only shows its label
using Clock = std::chrono::steady_clock;

// 1024 x 768 screen, size "Large": (768 div 40) x 3 points.
constexpr int kLargePoints = 57;

std::string slotSection(int slot, const std::string& label, int action) {
  return "[NumPadKey" + std::to_string(slot) + "]\r\nOSDLabel=" + label + "\r\nFileName=\r\nGoToAdress=\r\nAction=" +
         std::to_string(action) + "\r\nSelectedFunction=0\r\n\r\n";
}

// Keypad / "Div", 5 "Ply/Paus" and 0 "Min/Res" show labels only; + and - are
// the volume keys. Arial bold, size "Large", lime.
std::string osdIni(int timeOutIndex, int barStyle = 1) {
  std::string text;
  for (int slot = 0; slot < 15; ++slot) {
    switch (slot) {
      case 0: text += slotSection(slot, "Div", kNoAction); break;
      case 2: text += slotSection(slot, "Vol-", 21); break;
      case 6: text += slotSection(slot, "Vol+", 22); break;
      case 8: text += slotSection(slot, "Ply/Paus", kNoAction); break;
      case 13: text += slotSection(slot, "Min/Res", kNoAction); break;
      default: text += slotSection(slot, "", kNoAction); break;
    }
  }
  text += "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=1\r\nFontName=Arial\r\n"
          "Bold=1\r\nItalic=0\r\nOSDSize=2\r\nOSDColor=clLime\r\nOSDProgressStyle=" +
          std::to_string(barStyle) + "\r\nOSDTimeOut=" + std::to_string(timeOutIndex) +
          "\r\n\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n";
  return text;
}

struct OsdWindows {
  HWND text = nullptr;
  HWND progress = nullptr;
};

// Waits until the deferred start has loaded the settings and grabbed the
// keypad (and Num Lock right after it).
OsdWindows startWithOsd(TestContext& t, KeytideProcess& k) {
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_NUMPAD5), "the keypad was never grabbed");
  pause(Ms{500});
  OsdWindows osd{k.window(kTextClass), k.window(kProgressClass)};
  REQUIRE_MSG(osd.text != nullptr, "no OSD text window (class TktdOSDTextForm)");
  REQUIRE_MSG(osd.progress != nullptr, "no OSD progress window (class TktdOSDProgressForm)");
  (void)t;
  return osd;
}

// Returns once the program has handled the keys pressed so far: a hot key is
// queued when SendInput returns, and the second round trip is only answered
// after the handler of a message that was already waiting.
void settle(KeytideProcess& k) {
  isResponsive(k.mainWindow());
  isResponsive(k.mainWindow());
}

// The master line as a fresh program reads it: the first destination of mixer
// device 0, its first readable volume control (a uniform control has one
// channel; the right channel is then -1). No mixer: -1 and -1.
//
// The mixer API gives each process its own volume (Windows since Vista does
// the same, and so does Wine), so the driver cannot read the program's
// volume. It reads its own, which a process starts with just as the program
// does, and follows the program's steps of 1000 within 0..65535 from there.
struct Volume {
  int left = -1;
  int right = -1;
  bool mixer = false;
  void step(int delta) {
    auto move = [delta](int& channel) {
      if (channel >= 0) channel = std::clamp(channel + delta, 0, 65535);
    };
    move(left);
    move(right);
  }
  // The bar's width for this volume: (screen width div 40) x k.
  int barWidth() const { return (screenSize().cx / 40) * ((left + right) / 3276); }
};

Volume readFreshVolume() {
  Volume volume;
  HMIXER mixer = nullptr;
  if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return volume;
  volume.mixer = true;
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwDestination = 0;
  auto* object = reinterpret_cast<HMIXEROBJ>(mixer);
  if (mixerGetLineInfoA(object, &line, MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR && line.cControls > 0) {
    std::vector<MIXERCONTROLA> controls(line.cControls);
    MIXERLINECONTROLSA lineControls{};
    lineControls.cbStruct = sizeof lineControls;
    lineControls.dwLineID = line.dwLineID;
    lineControls.cControls = line.cControls;
    lineControls.cbmxctrl = sizeof(MIXERCONTROLA);
    lineControls.pamxctrl = controls.data();
    if (mixerGetLineControlsA(object, &lineControls, MIXER_GETLINECONTROLSF_ALL) == MMSYSERR_NOERROR) {
      for (const MIXERCONTROLA& control : controls) {
        if (control.dwControlType != MIXERCONTROL_CONTROLTYPE_VOLUME) continue;
        if (control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) continue;
        const DWORD channels = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : line.cChannels;
        std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(std::max<DWORD>(channels, 1));
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = control.dwControlID;
        details.cChannels = channels;
        details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
        details.paDetails = values.data();
        if (mixerGetControlDetailsA(object, &details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) continue;
        volume.left = static_cast<int>(values[0].dwValue);
        volume.right = channels > 1 ? static_cast<int>(values[1].dwValue) : -1;
        break;
      }
    }
  }
  mixerClose(mixer);
  return volume;
}

// Waits until the window is hidden; the moment it was first seen hidden.
std::optional<Clock::time_point> waitHidden(HWND window, Ms timeout) {
  if (!waitUntil([&] { return !isVisible(window); }, timeout)) return std::nullopt;
  return Clock::now();
}

}  // namespace

E2E_TEST("osd.label_window_placed_and_shaped_like_the_label") {
  t.write(kIni, osdIni(9));
  KeytideProcess& k = t.start();
  const OsdWindows osd = startWithOsd(t, k);
  CHECK_MSG(!isVisible(osd.text), "the text window is visible before any key");
  CHECK_MSG(!IsWindowEnabled(osd.text), "the text window is enabled");

  pressKey(VK_NUMPAD5);
  REQUIRE_MSG(waitUntil([&] { return isVisible(osd.text); }), "keypad 5 did not show the label");
  settle(k);
  // Wine on Xvfb shows one monitor, so the screen in use is always the
  // primary one here. The choice among several monitors (the foreground
  // window's, negative coordinates, mixed DPI) is shown by the OSD
  // controller's unit tests.
  CHECK_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  // 1024 x 768: left 25, top 15, width 1024 - 25, height 768 div 2.
  const RECT placed = windowRect(osd.text);
  CHECK_EQ(placed.left, 25L);
  CHECK_EQ(placed.top, 15L);
  CHECK_EQ(placed.right - placed.left, 999L);
  CHECK_EQ(placed.bottom - placed.top, 384L);
  CHECK_MSG(!IsWindowEnabled(osd.text), "the shown text window is enabled");
  CHECK_MSG(GetForegroundWindow() != osd.text, "the text window took the foreground");
  CHECK_MSG(taskbarWindows(k.pid()).empty(), "a taskbar button came with the label");
  CHECK_MSG(!isVisible(osd.progress), "a label-only key showed the bar");

  const WindowRegion region = windowRegion(osd.text);
  REQUIRE_MSG(region.present && region.area() > 0, "the text window has no shape");
  const PixelSet shape = pixelsOf(region);
  const PixelSet expected = labelInk("Ply/Paus", "Arial", kLargePoints, true, false);
  CHECK_MSG(shape == expected, "the shape is not the label's ink: " + describeDifference(expected, shape));

  CHECK_MSG(waitUntil([&] { return isTopmost(osd.text); }, Ms{2000}), "the label was not made topmost within 2 s");

  // On screen: lime wherever the shape is, and not a lime pixel around it.
  const POINT origin{placed.left, placed.top};
  size_t lime = 0;
  waitUntil([&] { return (lime = colorCount(captureScreen(), origin, shape, kLime)) == shape.size(); }, Ms{3000});
  const ScreenShot shot = captureScreen();
  shot.save(t.path("label.bmp"));
  CHECK_MSG(lime == shape.size(), std::to_string(shape.size() - lime) + " of " + std::to_string(shape.size()) +
                                      " label pixels are not lime on screen (see label.bmp)");
  size_t strayLime = 0;
  for (int y = placed.top; y < placed.bottom; ++y)
    for (int x = placed.left; x < placed.right; ++x)
      if (!shape.count({x - placed.left, y - placed.top}) && shot.at(x, y) == kLime) ++strayLime;
  CHECK_MSG(strayLime == 0, std::to_string(strayLime) + " lime pixels outside the label's shape (see label.bmp)");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("osd.same_key_while_showing_is_not_rebuilt") {
  t.write(kIni, osdIni(2));  // three seconds
  KeytideProcess& k = t.start();
  const OsdWindows osd = startWithOsd(t, k);
  auto movedAside = [&] {
    SetWindowPos(osd.text, nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return waitUntil([&] { return windowRect(osd.text).left == 200; }, Ms{2000});
  };
  auto atItsPlace = [&] {
    const RECT r = windowRect(osd.text);
    return r.left == 25 && r.top == 15;
  };

  // Slot 0 first: the last slot starts as 0, yet the hidden window is built.
  pressKey(VK_DIVIDE);
  REQUIRE_MSG(waitUntil([&] { return isVisible(osd.text); }), "keypad / did not show its label");
  settle(k);
  CHECK(atItsPlace());
  const WindowRegion first = windowRegion(osd.text);
  CHECK(first.area() > 0);

  // Moved by someone else, the label stays where it is on the same key: the
  // window was neither shaped nor placed again.
  REQUIRE_MSG(movedAside(), "the driver could not move the text window");
  pressKey(VK_DIVIDE);
  settle(k);
  CHECK_MSG(windowRect(osd.text).left == 200, "the same key placed the label again: " + describeWindow(osd.text));
  CHECK(isVisible(osd.text));
  CHECK_MSG(pixelsOf(windowRegion(osd.text)) == pixelsOf(first), "the same key changed the shape");

  // Another key rebuilds at once.
  pressKey(VK_NUMPAD5);
  settle(k);
  CHECK_MSG(atItsPlace(), "another key did not place the label: " + describeWindow(osd.text));
  const WindowRegion second = windowRegion(osd.text);
  CHECK_MSG(pixelsOf(second) != pixelsOf(first), "another key kept the old shape");
  CHECK_MSG(pixelsOf(second) == labelInk("Ply/Paus", "Arial", kLargePoints, true, false), "the new shape is not the new label's");

  // The same key after the label has gone is built again.
  REQUIRE_MSG(waitHidden(osd.text, Ms{6000}).has_value(), "the label did not time out");
  REQUIRE(movedAside());
  pressKey(VK_NUMPAD5);
  CHECK_MSG(waitUntil([&] { return isVisible(osd.text) && atItsPlace(); }, Ms{3000}),
            "the same key after the time-out did not rebuild the label: " + describeWindow(osd.text));
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("osd.one_second_time_out_hides_both_windows_at_the_eleventh_tick") {
  // Only lower bounds on how early the OSD hides are exact (polling can only
  // see a hide late); the upper bounds are generous and still tell one
  // second from the three of the default setting.
  t.write(kIni, osdIni(0));
  KeytideProcess& k = t.start();
  const OsdWindows osd = startWithOsd(t, k);

  const auto pressed = Clock::now();
  pressKey(VK_NUMPAD5);
  REQUIRE_MSG(waitUntil([&] { return isVisible(osd.text); }, Ms{2000}), "the label did not show");
  auto hidden = waitHidden(osd.text, Ms{4000});
  REQUIRE_MSG(hidden.has_value(), "the label did not hide within 4 s");
  const long long shownFor = std::chrono::duration_cast<Ms>(*hidden - pressed).count();
  CHECK_MSG(shownFor >= 1000, "hidden " + std::to_string(shownFor) + " ms after the press, before 10 ticks");
  CHECK_MSG(shownFor <= 2500, "hidden only " + std::to_string(shownFor) + " ms after the press");

  // A press of the same key restarts the count.
  pressKey(VK_NUMPAD5);
  REQUIRE(waitUntil([&] { return isVisible(osd.text); }, Ms{2000}));
  pause(Ms{600});
  const auto again = Clock::now();
  pressKey(VK_NUMPAD5);
  hidden = waitHidden(osd.text, Ms{4000});
  REQUIRE_MSG(hidden.has_value(), "the label did not hide after the repeated press");
  const long long afterAgain = std::chrono::duration_cast<Ms>(*hidden - again).count();
  CHECK_MSG(afterAgain >= 1000, "hidden " + std::to_string(afterAgain) + " ms after the repeated press");
  CHECK_MSG(afterAgain <= 2500, "hidden only " + std::to_string(afterAgain) + " ms after the repeated press");

  // Label and bar go together.
  pressKey(VK_ADD);
  REQUIRE(waitUntil([&] { return isVisible(osd.text) && isVisible(osd.progress); }, Ms{2000}));
  REQUIRE(waitHidden(osd.text, Ms{4000}).has_value());
  CHECK_MSG(waitUntil([&] { return !isVisible(osd.progress); }, Ms{300}), "the bar outlived the label");
  CHECK_EQ(k.close(), DWORD{0});
}

E2E_TEST("osd.volume_bar_at_the_bottom_as_wide_as_the_volume") {
  t.write(kIni, osdIni(9, 1));
  KeytideProcess& k = t.start();
  const OsdWindows osd = startWithOsd(t, k);
  Volume volume = readFreshVolume();
  t.write("mixer.txt", volume.mixer ? "mixer: " + std::to_string(volume.left) + " " + std::to_string(volume.right)
                                    : "no mixer");

  pressKey(VK_ADD);
  REQUIRE_MSG(waitUntil([&] { return isVisible(osd.progress); }), "Vol+ did not show the bar");
  settle(k);
  CHECK_MSG(isVisible(osd.text), "Vol+ did not show its label");
  volume.step(+1000);  // the bar shows the volume after the key's change
  int width = volume.barWidth();
  RECT bar = windowRect(osd.progress);
  CHECK_EQ(bar.left, 0L);
  CHECK_EQ(bar.top, 659L);  // 768 - 768 div 7
  CHECK_EQ(bar.bottom - bar.top, 367L);  // the design height, never changed
  CHECK_EQ(static_cast<int>(bar.right - bar.left), width);

  // 41 rounded segments, 15 wide and 76 high, every 25 pixels. A rounded
  // rectangle region leaves out its right and bottom edges (Windows does so,
  // and Wine as well), so the last one ends at 1014 and the row at 75.
  const WindowRegion segments = windowRegion(osd.progress);
  REQUIRE_MSG(segments.present, "the bar has no shape");
  CHECK_EQ(segments.box.left, 0L);
  CHECK_EQ(segments.box.right, 1014L);
  CHECK_EQ(segments.box.bottom, 75L);
  for (int i = 0; i < 41; ++i) {
    const int x = 25 * i;
    CHECK_MSG(segments.contains(x + 7, 38) && segments.contains(x + 7, 0) && segments.contains(x, 38),
              "segment " + std::to_string(i) + " is missing");
    CHECK_MSG(!segments.contains(x + 20, 38), "no gap after segment " + std::to_string(i));
    CHECK_MSG(!segments.contains(x, 0) && !segments.contains(x, 75), "segment " + std::to_string(i) + " is square");
  }

  // On screen: lime label, and the bar's segments as far as the width reaches.
  // The screen shows a window's drawing a moment after the program made it.
  const RECT label = windowRect(osd.text);
  const PixelSet labelShape = pixelsOf(windowRegion(osd.text));
  waitUntil([&] { return colorCount(captureScreen(), POINT{label.left, label.top}, labelShape, kLime) == labelShape.size(); },
            Ms{3000});
  const ScreenShot shot = captureScreen();
  shot.save(t.path("volume.bmp"));
  CHECK_MSG(colorCount(shot, POINT{label.left, label.top}, labelShape, kLime) == labelShape.size(),
            "the label is not lime on screen (see volume.bmp)");
  for (int i = 0; i < 41; ++i) {
    const bool inside = 25 * i + 15 <= width;
    if (25 * i < width && !inside) continue;  // cut by the window's edge
    CHECK_MSG((shot.at(25 * i + 7, 659 + 38) == kLime) == inside,
              "segment " + std::to_string(i) + (inside ? " is not lime" : " shows beyond the bar's width") +
                  " (width " + std::to_string(width) + ", see volume.bmp)");
  }

  // Any other key hides the bar at once; Vol- shows it again at the new width.
  pressKey(VK_NUMPAD5);
  settle(k);
  CHECK_MSG(!isVisible(osd.progress), "a label-only key left the bar up");
  pressKey(VK_SUBTRACT);
  REQUIRE_MSG(waitUntil([&] { return isVisible(osd.progress); }), "Vol- did not show the bar");
  settle(k);
  volume.step(-1000);
  width = volume.barWidth();
  bar = windowRect(osd.progress);
  CHECK_EQ(static_cast<int>(bar.right - bar.left), width);
  CHECK_EQ(k.close(), DWORD{0});

  // The "Normal" style: the same segments, square.
  t.write("normal\\ktd.ini", osdIni(9, 0));
  KeytideProcess& normal = t.start({.exe = t.installKeytide("normal\\keytide.exe")});
  const OsdWindows square = startWithOsd(t, normal);
  pressKey(VK_ADD);
  REQUIRE_MSG(waitUntil([&] { return isVisible(square.progress); }), "Vol+ did not show the bar");
  settle(normal);
  const WindowRegion plain = windowRegion(square.progress);
  CHECK_EQ(plain.area(), 41LL * 15 * 76);
  CHECK(plain.contains(0, 0) && plain.contains(1014, 75) && !plain.contains(1015, 0));
  CHECK_EQ(normal.close(), DWORD{0});
}

namespace {

// The system DPI a program gets at its start (Wine reads it there, as Windows
// does at log-on): the user's LogPixels, put back when the test ends.
class ScreenDpi {
 public:
  ScreenDpi() : old_(regReadDword(HKEY_CURRENT_USER, kKey, kValue)) {}
  ~ScreenDpi() {
    if (old_) {
      set(*old_);
    } else {
      regDeleteValue(HKEY_CURRENT_USER, kKey, kValue);
    }
  }
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

  static bool set(DWORD dpi) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
  }

 private:
  static constexpr char kKey[] = "Control Panel\\Desktop";
  static constexpr char kValue[] = "LogPixels";
  std::optional<DWORD> old_;
};

}  // namespace

// At 150 % and 200 % the program (per-monitor aware) sees the same 1024 x 768
// pixels, so the label keeps its pixel size and both windows their places.
E2E_TEST("osd.label_and_bar_keep_their_pixels_at_150_and_200_percent") {
  ScreenDpi restore;
  const PixelSet expected = labelInk("Div", "Arial", kLargePoints, true, false);
  for (const DWORD dpi : {DWORD{144}, DWORD{192}}) {
    const std::string folder = std::to_string(dpi);
    REQUIRE_MSG(ScreenDpi::set(dpi), "cannot set LogPixels");
    t.write(folder + "\\ktd.ini", osdIni(9, 0));
    KeytideProcess& k = t.start({.exe = t.installKeytide(folder + "\\keytide.exe")});
    const OsdWindows osd = startWithOsd(t, k);

    pressKey(VK_DIVIDE);
    REQUIRE_MSG(waitUntil([&] { return isVisible(osd.text); }), "the key did not show the label at " + folder);
    settle(k);
    const PixelSet shape = pixelsOf(windowRegion(osd.text));
    CHECK_MSG(shape == expected, "the label at " + folder + " DPI is not the 96-DPI label: " +
                                     describeDifference(expected, shape));
    const RECT placed = windowRect(osd.text);
    CHECK_EQ(placed.left, 25L);
    CHECK_EQ(placed.top, 15L);
    CHECK_EQ(placed.right - placed.left, 999L);
    CHECK_EQ(placed.bottom - placed.top, 384L);

    pressKey(VK_ADD);
    REQUIRE_MSG(waitUntil([&] { return isVisible(osd.progress); }), "Vol+ did not show the bar at " + folder);
    settle(k);
    const RECT bar = windowRect(osd.progress);
    CHECK_EQ(bar.left, 0L);
    CHECK_EQ(bar.top, 659L);
    CHECK_EQ(bar.bottom - bar.top, 367L);
    const WindowRegion segments = windowRegion(osd.progress);
    CHECK_EQ(segments.area(), 41LL * 15 * 76);  // square segments of a 76-pixel bar
    CHECK_EQ(k.close(), DWORD{0});
  }
}
