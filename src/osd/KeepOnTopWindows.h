#pragma once
// The OSD windows with their keep-on-top timer, which runs only while one of
// them is visible: its ticks would do nothing otherwise, and a resident
// program should not wake the processor twice a second for nothing. Every
// call goes through to the windows; showing a window starts the timer unless
// it runs, hiding the last visible one stops it.
#include <string>

#include "osd/OsdPorts.h"
#include "platform/IntervalTimer.h"

namespace keytide {

class KeepOnTopWindows final : public OsdWindows {
public:
    static constexpr unsigned kIntervalMs = 500;

    KeepOnTopWindows(OsdWindows& windows, platform::IntervalTimer& keepOnTopTimer);

    bool IsVisible(OsdWindow window) const override { return windows_.IsVisible(window); }
    void ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) override {
        windows_.ShapeText(label, font, screen);
    }
    void ShapeProgress(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) override {
        windows_.ShapeProgress(barHeight, barStyle, screenWidth);
    }
    void SetBounds(OsdWindow window, const WindowBounds& bounds) override { windows_.SetBounds(window, bounds); }
    void SetColor(OsdWindow window, ColorValue color) override { windows_.SetColor(window, color); }
    void SetSpokenText(const std::string& text) override { windows_.SetSpokenText(text); }
    void Disable(OsdWindow window) override { windows_.Disable(window); }
    void Show(OsdWindow window) override;
    void Hide(OsdWindow window) override;
    void BringToTop(OsdWindow window) override { windows_.BringToTop(window); }

private:
    // The visible windows to the top of the topmost band, the progress window
    // last, so that it lies above the label.
    void OnTick();

    OsdWindows& windows_;
    platform::IntervalTimer& timer_;
    bool timerRunning_ = false;
};

}  // namespace keytide
