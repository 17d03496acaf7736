// The OSD benchmark, run under Wine by scripts/bench.sh (make bench).
//
//   osdbench region [label] [size index]
//     In this process, on the screen it finds: builds the label's shape with
//     TextToRgn and with the per-pixel method side by side, proves the two
//     regions equal (their region data, byte for byte) and prints both times
//     and their ratio; then builds shapes 1000 times and counts this
//     process's GDI objects before and after.
//   osdbench keys <keytide.exe> <work folder> [presses] [leak presses]
//     Runs keytide.exe from the work folder with its own ktd.ini, presses
//     alternating keypad keys with SendInput and measures each press until
//     the OSD text window is visible; the same for the two volume keys, whose
//     press reads and writes the master volume on the sound thread (with the
//     default output looked up at each call) before the label shows; then
//     presses keys 1000 times and counts keytide.exe's GDI and USER objects
//     before and after.
//
// Each target is printed with "met" or "MISSED"; the exit code is 0 only when
// every target was met (2 for a run that could not measure).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "GuiObjects.h"
#include "KeytideFromOutside.h"
#include "model/Names.h"
#include "osd/OsdLayout.h"
#include "osd/RegionBuilders_win.h"
#include "settings/SettingChoices.h"

using namespace keytide;
using namespace keytide::win32;
using namespace keytide::bench;

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
    double median, min, max;
};
Summary Summarise(const std::vector<double>& values) {
    return {Median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

bool g_allMet = true;
void Target(const char* what, bool met) {
    std::printf("target %-58s %s\n", what, met ? "met" : "MISSED");
    if (!met) g_allMet = false;
}

std::vector<unsigned char> RegionData(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    if (size != 0) GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    return data;
}

// ---------------------------------------------------------------------------
int RunRegionBench(const std::string& label, int sizeIndex) {
    const std::optional<OsdSize> size = ChoiceAt(kSizeChoices, sizeIndex);
    const ScreenSize screen = PrimaryScreenSize();
    const OsdFont request{"Arial", true, false, OsdFontPointSize(screen.height, size)};
    UniqueHfont font = CreateOsdFont(request);
    char face[LF_FACESIZE] = {};
    SIZE extent{};
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectedObject selected(dc.get(), font.get());
        GetTextFaceA(dc.get(), sizeof face, face);
        GetTextExtentPoint32A(dc.get(), label.data(), static_cast<int>(label.size()), &extent);
    }
    std::printf("screen %dx%d, label \"%s\", font \"%s\" (selected: \"%s\") bold %d pt, text extent %ldx%ld\n",
                screen.width, screen.height, label.c_str(), request.faceName.c_str(), face, request.pointSize, extent.cx,
                extent.cy);

    // First calls fill the font's glyph cache; they are reported, not counted.
    auto start = Clock::now();
    UniqueHrgn fast = TextToRgn(label, font.get(), screen);
    const double firstFast = MillisecondsSince(start);
    start = Clock::now();
    UniqueHrgn perPixel = TextToRgnPerPixel(label, font.get());
    const double firstPerPixel = MillisecondsSince(start);

    const std::vector<unsigned char> fastData = RegionData(fast.get());
    const std::vector<unsigned char> perPixelData = RegionData(perPixel.get());
    const bool equal = !fastData.empty() && fastData == perPixelData && EqualRgn(fast.get(), perPixel.get());
    RECT box{};
    const int type = GetRgnBox(fast.get(), &box);
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(fastData.data());
    std::printf("shape: %lu rectangles, box (%ld,%ld)-(%ld,%ld), type %d; region data %zu bytes, %s\n",
                fastData.empty() ? 0ul : header->nCount, box.left, box.top, box.right, box.bottom, type,
                fastData.size(), equal ? "identical to the per-pixel method's" : "DIFFERS from the per-pixel method's");

    // Side by side: the per-pixel runs interleaved with runs of the fast one.
    constexpr int kPerPixelRuns = 5;
    constexpr int kFastRunsEach = 40;
    std::vector<double> perPixelTimes, fastTimes;
    for (int round = 0; round < kPerPixelRuns; ++round) {
        start = Clock::now();
        UniqueHrgn slow = TextToRgnPerPixel(label, font.get());
        perPixelTimes.push_back(MillisecondsSince(start));
        for (int i = 0; i < kFastRunsEach; ++i) {
            start = Clock::now();
            UniqueHrgn quick = TextToRgn(label, font.get(), screen);
            fastTimes.push_back(MillisecondsSince(start));
        }
    }
    const Summary f = Summarise(fastTimes);
    const Summary p = Summarise(perPixelTimes);
    std::printf("TextToRgn:        median %8.3f ms  (min %.3f, max %.3f, first call %.3f) over %zu runs\n", f.median,
                f.min, f.max, firstFast, fastTimes.size());
    std::printf("per-pixel method: median %8.3f ms  (min %.3f, max %.3f, first call %.3f) over %zu runs\n", p.median,
                p.min, p.max, firstPerPixel, perPixelTimes.size());
    const double ratio = p.median / f.median;
    std::printf("ratio:            %.1f x faster\n", ratio);

    // Leaks: shapes, fonts and bars built and dropped 1000 times.
    const bench::ObjectCount before = bench::GdiObjects(GetCurrentProcess());
    for (int i = 0; i < 1000; ++i) {
        UniqueHfont anotherFont = CreateOsdFont(request);
        UniqueHrgn text = TextToRgn(i % 2 ? label : "Vol+", anotherFont.get(), screen);
        UniqueHrgn empty = TextToRgn("", anotherFont.get(), screen);
        UniqueHrgn bar = CreateProgressRgn(ProgressBarHeight(screen), ChoiceAt(kBarStyleChoices, i % 3), screen.width);
    }
    const bench::ObjectCount after = bench::GdiObjects(GetCurrentProcess());
    std::printf("GDI objects of this process (%s): %ld before, %ld after 1000 builds\n", before.method.c_str(),
                before.count, after.count);

    Target("shapes equal (region data of both methods identical)", equal);
    Target("TextToRgn median <= 5 ms", f.median <= 5.0);
    Target("TextToRgn >= 40x faster than the per-pixel method", ratio >= 40.0);
    Target("no GDI object left after 1000 region builds", before.count >= 0 && after.count == before.count);
    return g_allMet ? 0 : 1;
}

// ---------------------------------------------------------------------------
// keytide.exe from the outside.

std::string KeySection(int slot, const char* label, int action) {
    return "[NumPadKey" + std::to_string(slot) + "]\r\nOSDLabel=" + label +
           "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(action) + "\r\nSelectedFunction=0\r\n\r\n";
}

// Keypad 5 and 0 carry labels and no action (99 names none); + and - the
// two volume actions.
constexpr int kNoAction = 99;
std::string BenchIni() {
    std::string ini;
    for (int slot = 0; slot < 15; ++slot) {
        if (slot == 8) {
            ini += KeySection(slot, "Ply/Paus", kNoAction);
        } else if (slot == 13) {
            ini += KeySection(slot, "Min/Res", kNoAction);
        } else if (slot == 6) {
            ini += KeySection(slot, "Vol+", 22);
        } else if (slot == 2) {
            ini += KeySection(slot, "Vol-", 21);
        } else {
            ini += KeySection(slot, "", kNoAction);
        }
    }
    ini +=
        "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=1\r\nAnimateSysTray=0\r\nFontName=Arial\r\n"
        "Bold=1\r\nItalic=0\r\nOSDSize=2\r\nOSDColor=clLime\r\nOSDProgressStyle=1\r\nOSDTimeOut=0\r\n\r\n"
        "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n";
    return ini;
}

int RunKeyBench(const std::string& keytideExe, const std::string& work, int presses, int leakPresses) {
    const KeytideRun keytide(keytideExe, work, BenchIni());
    if (!keytide.Ready()) return 2;
    const DWORD pid = keytide.Pid();
    const HWND programWindow = keytide.ProgramWindow();
    const HWND textWindow = FindProcessWindow(pid, names::kOsdTextWindowClass);
    const ScreenSize screen = PrimaryScreenSize();
    std::printf("screen %dx%d, keytide.exe pid %lu\n", screen.width, screen.height, pid);

    // Press to visible, each press starting from a hidden OSD, keys alternating.
    // The first press of a run is kept apart: for the volume keys it opens the
    // sound system.
    struct Run {
        std::vector<double> latencies;
        double first = -1;
        int lost = 0;
    };
    auto measure = [&](WORD one, WORD other) -> std::optional<Run> {
        Run run;
        for (int i = 0; i <= presses; ++i) {
            if (!WaitFor([&] { return !IsWindowVisible(textWindow); }, 5000)) {
                std::printf("the OSD did not hide within 5 s\n");
                return std::nullopt;
            }
            Sleep(30);
            const auto start = Clock::now();
            PressKey(i % 2 ? other : one);
            while (!IsWindowVisible(textWindow)) {
                if (MillisecondsSince(start) > 2000) break;
                SwitchToThread();
            }
            if (!IsWindowVisible(textWindow)) {
                ++run.lost;
            } else if (i == 0) {
                run.first = MillisecondsSince(start);
            } else {
                run.latencies.push_back(MillisecondsSince(start));
            }
        }
        if (run.latencies.empty()) {
            std::printf("no press showed the OSD\n");
            return std::nullopt;
        }
        return run;
    };
    auto report = [](const char* what, const Run& run) {
        const Summary s = Summarise(run.latencies);
        std::vector<double> sorted = run.latencies;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%s: median %.2f ms (min %.2f, 90th %.2f, max %.2f) over %zu presses, %d lost; first press %.2f ms\n",
                    what, s.median, s.min, sorted[sorted.size() * 9 / 10], s.max, run.latencies.size(), run.lost,
                    run.first);
        return s.median;
    };
    const std::optional<Run> keys = measure(VK_NUMPAD5, VK_NUMPAD0);
    const std::optional<Run> volumeKeys = keys ? measure(VK_ADD, VK_SUBTRACT) : std::nullopt;
    if (!volumeKeys) return 2;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    GetWindowRgn(textWindow, shape);
    GetRgnBox(shape, &box);
    DeleteObject(shape);
    RECT placed{};
    GetWindowRect(textWindow, &placed);
    std::printf("text window at (%ld,%ld) %ldx%ld, label shape box (%ld,%ld)-(%ld,%ld)\n", placed.left, placed.top,
                placed.right - placed.left, placed.bottom - placed.top, box.left, box.top, box.right, box.bottom);
    const double keysMedian = report("key press to OSD visible", *keys);
    const double volumeMedian = report("volume key press to OSD visible", *volumeKeys);

    // Leaks: warm up, count, press many times, let the OSD time out, count again.
    const WORD cycle[] = {VK_NUMPAD5, VK_ADD, VK_NUMPAD0, VK_SUBTRACT};
    auto pressMany = [&](int count) {
        for (int i = 0; i < count; ++i) {
            PressKey(cycle[i % 4]);
            Drain(programWindow);
        }
        WaitFor([&] { return !IsWindowVisible(textWindow); }, 5000);
        Drain(programWindow);
    };
    // The program's thread keeps running while the counts are read (timers,
    // the window manager): the lowest of a few readings is the resting count.
    auto resting = [&](bench::ObjectCount (*count)(HANDLE)) {
        bench::ObjectCount lowest = count(keytide.Process());
        for (int i = 0; i < 5; ++i) {
            Sleep(100);
            const bench::ObjectCount now = count(keytide.Process());
            if (now.count >= 0 && (lowest.count < 0 || now.count < lowest.count)) lowest = now;
        }
        return lowest;
    };
    pressMany(40);
    const bench::ObjectCount gdiBefore = resting(&bench::GdiObjects);
    const bench::ObjectCount userBefore = resting(&bench::UserObjects);
    const auto start = Clock::now();
    pressMany(leakPresses);
    const double seconds = MillisecondsSince(start) / 1000;
    const bench::ObjectCount gdiAfter = resting(&bench::GdiObjects);
    const bench::ObjectCount userAfter = resting(&bench::UserObjects);
    std::printf("%d presses (keypad 5, +, 0, - in turn) in %.1f s\n", leakPresses, seconds);
    std::printf("GDI objects (%s): %ld before, %ld after\n", gdiBefore.method.c_str(), gdiBefore.count, gdiAfter.count);
    std::printf("USER objects (%s): %ld before, %ld after\n", userBefore.method.c_str(), userBefore.count,
                userAfter.count);

    Target("key press to OSD visible, median <= 16 ms", keys->lost == 0 && keysMedian <= 16.0);
    Target("volume key press to OSD visible, median <= 16 ms", volumeKeys->lost == 0 && volumeMedian <= 16.0);
    Target("no GDI object leaked over the presses", gdiBefore.count >= 0 && gdiAfter.count == gdiBefore.count);
    Target("no USER object leaked over the presses", userBefore.count >= 0 && userAfter.count == userBefore.count);
    return g_allMet ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (!args.empty() && args[0] == "region") {
            return RunRegionBench(args.size() > 1 ? args[1] : "Ply/Paus", args.size() > 2 ? std::atoi(args[2].c_str()) : 2);
        }
        if (args.size() >= 3 && args[0] == "keys") {
            return RunKeyBench(args[1], args[2], args.size() > 3 ? std::atoi(args[3].c_str()) : 50,
                               args.size() > 4 ? std::atoi(args[4].c_str()) : 1000);
        }
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
        return 2;
    }
    std::printf("usage: osdbench region [label] [size index]\n"
                "       osdbench keys <keytide.exe> <work folder> [presses] [leak presses]\n");
    return 2;
}
