// The release as a user gets it (scripts/release-check.sh): keytide.exe as
// unpacked from dist/keytide-<version>-win64.zip into a folder whose path
// holds blanks, with only the zip's other files beside it, started the way
// Explorer starts a double-clicked program. Runs only when asked for
// ("release.").
#include <windows.h>
// windows.h first: shellapi.h depends on it.
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "Driver.h"
#include "KeytideVersion.h"
#include "model/Names.h"

using namespace ktd::e2e;

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Keytide";
constexpr std::uint32_t kLime = 0x0000FF00;  // the default OSD colour, as screen pixels

struct VersionResource {
  WORD fixed[4]{};  // file version from the fixed part
  std::string fileVersion;
  std::string productVersion;
};

std::optional<VersionResource> versionResource(const std::string& exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(exe.c_str(), 0, size, block.data())) return std::nullopt;
  VersionResource result;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr)
    return std::nullopt;
  result.fixed[0] = HIWORD(fixed->dwFileVersionMS);
  result.fixed[1] = LOWORD(fixed->dwFileVersionMS);
  result.fixed[2] = HIWORD(fixed->dwFileVersionLS);
  result.fixed[3] = LOWORD(fixed->dwFileVersionLS);
  auto text = [&](const char* name) {
    char* value = nullptr;
    UINT chars = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) || value == nullptr)
      return std::string();
    return std::string(value);
  };
  result.fileVersion = text("FileVersion");
  result.productVersion = text("ProductVersion");
  return result;
}

// The current user's "Keytide" Run value as it was before the test: the
// first start writes it (Auto-Load is on in the built-in settings).
class RunValueKept {
 public:
  RunValueKept() : before_(regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue)) {}
  RunValueKept(const RunValueKept&) = delete;
  RunValueKept& operator=(const RunValueKept&) = delete;
  ~RunValueKept() {
    if (before_)
      regWriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, *before_);
    else
      regDeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
  }

 private:
  std::optional<std::string> before_;
};

// Starts a program as Explorer does on a double click: the shell's "open"
// with the program's folder as the working folder.
KeytideProcess& doubleClick(TestContext& t, const std::string& exe) {
  const std::string folder = folderOf(exe);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = exe.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  REQUIRE_MSG(ShellExecuteExA(&info) && info.hProcess != nullptr,
              "the shell could not open " + quoted(exe) + " (error " + std::to_string(GetLastError()) + ")");
  PROCESS_INFORMATION process{};
  process.hProcess = info.hProcess;
  process.dwProcessId = GetProcessId(info.hProcess);
  return t.adopt(process, exe);
}

// The size of the ink of `text` in the OSD's built-in font: Arial bold, size
// "Normal", (screen height div 40) x 2 points at 96 pixels per inch.
SIZE inkSize(const std::string& text) {
  const int points = (GetSystemMetrics(SM_CYSCREEN) / 40) * 2;
  HFONT font = CreateFontA(-MulDiv(points, 96, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
  BITMAPINFO bitmapInfo{};
  bitmapInfo.bmiHeader.biSize = sizeof bitmapInfo.bmiHeader;
  bitmapInfo.bmiHeader.biWidth = extent.cx;
  bitmapInfo.bmiHeader.biHeight = -extent.cy;
  bitmapInfo.bmiHeader.biPlanes = 1;
  bitmapInfo.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  SIZE ink{};
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, extent.cx, extent.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 0, 0, text.data(), static_cast<int>(text.size()));
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    LONG left = extent.cx, top = extent.cy, right = -1, bottom = -1;
    for (LONG y = 0; y < extent.cy; ++y) {
      for (LONG x = 0; x < extent.cx; ++x) {
        if ((pixels[y * extent.cx + x] & 0x00FFFFFF) == 0) continue;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
    if (right >= left) ink = SIZE{right - left + 1, bottom - top + 1};
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
  DeleteDC(dc);
  return ink;
}

bool within2(LONG a, LONG b) { return a - b <= 2 && b - a <= 2; }

}  // namespace

E2E_TEST_ON_REQUEST("release.unpacked_program_runs_from_a_folder_with_blanks_and_shows_a_label") {
  const std::string exe = t.config().keytideExe;
  const std::string folder = folderOf(exe);
  REQUIRE_MSG(folder.find(' ') != std::string::npos, "the program's folder has no blank: " + quoted(folder));
  REQUIRE_MSG(!fileExists(folder + "\\ktd.ini"), "the folder is not fresh from the zip: it holds a ktd.ini");
  CHECK_MSG(fileExists(folder + "\\Help\\topics.htm"), "no Help\\topics.htm beside the program");

  // The version resource says the project's version, which named the zip.
  const auto version = versionResource(exe);
  REQUIRE_MSG(version.has_value(), "the program has no version resource");
  CHECK_EQ(version->fixed[0], WORD{keytide::version::kMajor});
  CHECK_EQ(version->fixed[1], WORD{keytide::version::kMinor});
  CHECK_EQ(version->fixed[2], WORD{keytide::version::kPatch});
  CHECK_EQ(version->fileVersion, std::string(keytide::version::kQuadText));
  CHECK_EQ(version->productVersion, std::string(keytide::version::kText));

  RunValueKept runValue;
  KeytideProcess& k = doubleClick(t, exe);
  REQUIRE_MSG(k.waitForWindows(), "the program did not show its windows");
  // The first start: the welcome screen's three seconds, then the icon.
  awaitStarted(k);
  const auto ini = waitForFile(folder + "\\ktd.ini", [](const std::string&) { return true; });
  REQUIRE_MSG(ini.has_value(), "no ktd.ini was made beside the program");
  CHECK_EQ(firstDifference(t.dataText("default-ktd.ini"), *ini), std::string());
  const auto runData = regReadString(HKEY_CURRENT_USER, kRunKey, kRunValue);
  // Quoted: the folder has blanks.
  CHECK_MSG(runData && _stricmp(runData->c_str(), ("\"" + exe + "\"").c_str()) == 0,
            "the Run value is " + show(runData) + ", not the program's quoted path " + quoted(exe));

  // Keypad - turns the volume down and shows its label "Vol-".
  REQUIRE(pressKey(VK_SUBTRACT));
  HWND label = nullptr;
  const bool shown = waitUntil([&] {
    label = k.window(keytide::names::kOsdTextWindowClass);
    return isVisible(label);
  });
  REQUIRE_MSG(shown, "keypad - showed no label (no visible OSD text window)");
  const WindowRegion shape = windowRegion(label);
  REQUIRE_MSG(shape.present && !shape.rects.empty(), "the label window has no shape");
  const SIZE ink = inkSize("Vol-");
  const SIZE box{shape.box.right - shape.box.left, shape.box.bottom - shape.box.top};
  CHECK_MSG(within2(box.cx, ink.cx) && within2(box.cy, ink.cy),
            "the label's shape is " + std::to_string(box.cx) + " x " + std::to_string(box.cy) + ", the ink of \"Vol-\" " +
                std::to_string(ink.cx) + " x " + std::to_string(ink.cy));
  // Its pixels on the screen are the built-in colour, lime, once painted.
  const RECT window = windowRect(label);
  long long lime = 0;
  waitUntil(
      [&] {
        lime = 0;
        for (const RECT& part : shape.rects) {
          RECT onScreen = part;
          OffsetRect(&onScreen, window.left, window.top);
          for (std::uint32_t pixel : screenPixels(onScreen)) lime += pixel == kLime ? 1 : 0;
        }
        return lime * 10 >= shape.area() * 9;
      },
      Ms{5000});
  CHECK_MSG(lime * 10 >= shape.area() * 9, std::to_string(lime) + " of the label's " + std::to_string(shape.area()) +
                                               " pixels are lime on the screen");
  CHECK_EQ(k.close(), DWORD{0});
}
