// The OSD preview harness: runs the program's own preview (the settings
// dialog's Preview button, which that dialog will call) with the real OSD
// windows, while a second thread looks at the screen during the preview's
// blocking wait. The end-to-end test osd.preview_* runs it.
//
//   osdpreview <folder>   writes <folder>\preview.txt (what it found) and
//                         <folder>\preview.bmp (the screen during the wait)
// Exit code 0 when both shapes were on the screen, lime, during the wait, the
// wait lasted the time-out, and both windows were hidden afterwards.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "model/Names.h"
#include "osd/OnScreenDisplay_win.h"
#include "osd/OsdController.h"
#include "osd/OsdWindow_win.h"
#include "osd/RegionBuilders_win.h"

using namespace keytide;
using namespace keytide::win32;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t kLime = 0x0000FF00;

class IdleTimer final : public platform::IntervalTimer {
public:
    void Start(unsigned, std::function<void()>) override { ++starts; }
    void Stop() override {}
    int starts = 0;
};

class SilentVolume final : public MasterVolume {
public:
    VolumeLevels Read() override { return {}; }
    void Write(const VolumeLevels&) override {}
};

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] &
               0x00FFFFFF;
    }
};

Capture CaptureScreen() {
    Capture capture;
    capture.width = GetSystemMetrics(SM_CXSCREEN);
    capture.height = GetSystemMetrics(SM_CYSCREEN);
    capture.pixels.resize(static_cast<std::size_t>(capture.width) * static_cast<std::size_t>(capture.height));
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueHbitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        SelectedObject selected(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, capture.width, capture.height, screen.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* source = static_cast<const std::uint32_t*>(bits);
    std::copy(source, source + capture.pixels.size(), capture.pixels.begin());
    return capture;
}

void SaveBitmap(const Capture& capture, const std::string& path) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = capture.width;
    info.biHeight = -capture.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(capture.pixels.size() * 4);
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(capture.pixels.data(), 4, capture.pixels.size(), out);
        std::fclose(out);
    }
}

std::vector<RECT> RegionRects(HWND window) {
    UniqueHrgn region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) return {};
    const DWORD size = GetRegionData(region.get(), 0, nullptr);
    std::vector<unsigned char> data(size);
    if (size == 0 || GetRegionData(region.get(), size, reinterpret_cast<RGNDATA*>(data.data())) != size) return {};
    const auto* header = reinterpret_cast<const RGNDATA*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    return std::vector<RECT>(rects, rects + header->rdh.nCount);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    std::string report;
    bool ok = true;
    auto note = [&](bool good, const std::string& what) {
        report += (good ? "ok:    " : "FAULT: ") + what + "\r\n";
        if (!good) ok = false;
    };

    try {
        OsdShapeWindow text, progress;
        text.Create(names::kOsdTextWindowClass, kTextWindowDesignWidth, kTextWindowDesignHeight);
        progress.Create(names::kOsdProgressWindowClass, 400, kProgressWindowHeight);
        Win32OsdWindows windows(text, progress);
        IdleTimer timer;
        Win32PreviewHost host;
        SilentVolume volume;
        Win32Monitors monitors;
        Settings inForce;
        OsdController osd(OsdServices{windows, timer, host, volume, monitors}, inForce);

        // The dialog's unsaved choices: Arial bold "Large", lime, rounded bar, "2" seconds.
        Settings dialog;
        dialog.fontName = "Arial";
        dialog.bold = true;
        dialog.osdSize = OsdSize::Large;
        dialog.barStyle = BarStyle::Rounded;
        dialog.timeOutSeconds = 2;
        dialog.osdColor = kColorLime;

        // The watcher looks while the preview thread is blocked: it never asks
        // that thread for anything.
        std::atomic<bool> previewDone{false};
        bool capturedDuringWait = false;
        Capture during;
        std::thread watcher([&] {
            const auto start = Clock::now();
            while (!(IsWindowVisible(text.hwnd()) && IsWindowVisible(progress.hwnd()))) {
                if (Clock::now() - start > std::chrono::seconds(5)) return;
                Sleep(5);
            }
            Sleep(700);
            during = CaptureScreen();
            capturedDuringWait = !previewDone;
        });
        const auto start = Clock::now();
        osd.Preview(dialog);
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        previewDone = true;
        watcher.join();

        note(waited >= 2000 && waited < 4000, "the preview lasted " + std::to_string(waited) + " ms for \"2\" seconds");
        note(!IsWindowVisible(text.hwnd()) && !IsWindowVisible(progress.hwnd()), "both windows hidden afterwards");
        note(timer.starts == 0, "the time-out timer untouched");
        note(capturedDuringWait && !during.pixels.empty(), "the screen was read during the blocking wait");
        if (!during.pixels.empty()) {
            SaveBitmap(during, folder + "\\preview.bmp");
            const ScreenSize screen = PrimaryScreenSize();
            const platform::MonitorRect primary{0, 0, screen.width, screen.height};
            const WindowBounds label = TextWindowBounds(primary);
            long inShape = 0, lime = 0;
            for (const RECT& r : RegionRects(text.hwnd())) {
                for (int y = r.top; y < r.bottom; ++y) {
                    for (int x = r.left; x < r.right; ++x) {
                        const int sx = label.left + x, sy = label.top + y;
                        if (sx >= screen.width || sy >= screen.height) continue;
                        ++inShape;
                        if (during.At(sx, sy) == kLime) ++lime;
                    }
                }
            }
            note(inShape > 0 && lime == inShape, "\"OSD Test\" painted lime: " + std::to_string(lime) + " of " +
                                                     std::to_string(inShape) + " shape pixels");
            const ProgressGeometry bar = ProgressGeometryFor(ProgressBarHeight(screen));
            const int barMiddle = ProgressWindowBounds(primary, screen.width).top + bar.barHeight / 2;
            const std::vector<int> lefts = SegmentLefts(bar.barHeight, screen.width);
            int limeSegments = 0;
            for (int left : lefts) {
                if (during.At(left + bar.segmentWidth / 2, barMiddle) == kLime) ++limeSegments;
            }
            note(limeSegments == static_cast<int>(lefts.size()),
                 "full-width bar painted lime: " + std::to_string(limeSegments) + " of " +
                     std::to_string(lefts.size()) + " segments");
        }
    } catch (const std::exception& error) {
        note(false, std::string("error: ") + error.what());
    }
    if (FILE* out = std::fopen((folder + "\\preview.txt").c_str(), "wb")) {
        std::fputs(report.c_str(), out);
        std::fclose(out);
    }
    std::fputs(report.c_str(), stdout);
    return ok ? 0 : 1;
}
