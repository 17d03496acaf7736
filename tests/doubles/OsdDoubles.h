#pragma once
// Doubles of the on-screen display's seams. Every effect is appended to one
// log as a short line, so that tests can check what happened and in which
// order; the windows' visibility is modelled so that queries answer as the
// real windows would.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "doubles/FakeIntervalTimer.h"
#include "media/MasterVolume.h"
#include "osd/OsdPorts.h"
#include "platform/Monitors.h"

namespace keytide::fakes {

using OsdLog = std::vector<std::string>;

inline const char* NameOf(OsdWindow window) { return window == OsdWindow::Text ? "text" : "progress"; }

inline std::string Describe(const WindowBounds& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) + "x" +
           std::to_string(b.height);
}

class RecordingOsdWindows : public OsdWindows {
public:
    explicit RecordingOsdWindows(OsdLog& log) : log_(log) {}

    bool IsVisible(OsdWindow window) const override { return visible[Index(window)]; }

    void ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) override {
        log_.push_back("shape text \"" + label + "\" font \"" + font.faceName + "\" " +
                       std::to_string(font.pointSize) + "pt" + (font.bold ? " bold" : "") +
                       (font.italic ? " italic" : "") + " in " + std::to_string(screen.width) + "x" +
                       std::to_string(screen.height));
    }
    void ShapeProgress(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) override {
        const char* style = !barStyle ? "none" : *barStyle == BarStyle::Normal ? "normal" : "rounded";
        log_.push_back("shape progress h=" + std::to_string(barHeight) + " style=" + style + " across " +
                       std::to_string(screenWidth));
    }
    void SetBounds(OsdWindow window, const WindowBounds& bounds) override {
        log_.push_back(std::string("bounds ") + NameOf(window) + " " + Describe(bounds));
    }
    void SetColor(OsdWindow window, ColorValue color) override {
        char text[16];
        std::snprintf(text, sizeof text, "%08X", color);
        log_.push_back(std::string("color ") + NameOf(window) + " " + text);
    }
    void SetSpokenText(const std::string&) override {}
    void Disable(OsdWindow window) override { log_.push_back(std::string("disable ") + NameOf(window)); }
    void Show(OsdWindow window) override {
        visible[Index(window)] = true;
        log_.push_back(std::string("show ") + NameOf(window));
    }
    void Hide(OsdWindow window) override {
        visible[Index(window)] = false;
        log_.push_back(std::string("hide ") + NameOf(window));
    }
    void BringToTop(OsdWindow window) override { log_.push_back(std::string("top ") + NameOf(window)); }

    bool visible[2] = {false, false};

private:
    static int Index(OsdWindow window) { return window == OsdWindow::Text ? 0 : 1; }
    OsdLog& log_;
};

// The desk's monitors as the test lays them out: one 1024 x 768 screen, the
// foreground window on it, unless the test says otherwise.
class FakeMonitors : public platform::Monitors {
public:
    platform::MonitorLayout Layout() override { return layout; }
    platform::MonitorLayout layout{{{0, 0, 1024, 768}}, 0};
};

// A timer whose starts and stops are logged; it ticks when the test says so.
class RecordingOsdTimer : public ManualIntervalTimer {
public:
    explicit RecordingOsdTimer(OsdLog& log, std::string name = "timer") : log_(log), name_(std::move(name)) {}
    void Start(unsigned interval, std::function<void()> tick) override {
        ManualIntervalTimer::Start(interval, std::move(tick));
        log_.push_back(name_ + " start");
    }
    void Stop() override {
        ManualIntervalTimer::Stop();
        log_.push_back(name_ + " stop");
    }

private:
    OsdLog& log_;
    std::string name_;
};

// A master line whose channels the test sets; reads are logged.
class OsdMasterVolume : public MasterVolume {
public:
    explicit OsdMasterVolume(OsdLog& log) : log_(log) {}
    VolumeLevels Read() override {
        log_.push_back("read volume");
        return volume;
    }
    void Write(const VolumeLevels&) override { log_.push_back("write volume"); }
    VolumeLevels volume;

private:
    OsdLog& log_;
};

}  // namespace keytide::fakes
