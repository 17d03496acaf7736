#pragma once
// The on-screen display as the program runs it: the two OSD windows, the
// OSD's timers on the main window, and the controller that drives them.
#include <windows.h>

#include <functional>
#include <string>

#include "core/MainWindow_win.h"
#include "media/MasterVolume.h"
#include "osd/KeepOnTopWindows.h"
#include "osd/OsdController.h"
#include "osd/OsdPorts.h"
#include "osd/OsdWindow_win.h"
#include "platform/win32/Win32Monitors.h"
#include "settings/Settings.h"

namespace keytide::win32 {

// Timer ids on the main window (its own are below 100).
inline constexpr UINT_PTR kOsdTimerId = 100;
inline constexpr UINT_PTR kOnTopTimerId = 101;
inline constexpr UINT kOsdTimerInterval = 100;
inline constexpr UINT kOnTopTimerInterval = 500;

class Win32OsdWindows final : public OsdWindows {
public:
    Win32OsdWindows(OsdShapeWindow& text, OsdShapeWindow& progress, HWND applicationWindow);

    bool IsVisible(OsdWindow window) const override;
    void ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) override;
    void ShapeProgress(int barHeight, int barStyle, int screenWidth) override;
    void SetBounds(OsdWindow window, const WindowBounds& bounds) override;
    void SetColor(OsdWindow window, ColorValue color) override;
    void Disable(OsdWindow window) override;
    void Show(OsdWindow window) override;
    void Hide(OsdWindow window) override;
    void BringToTop(OsdWindow window) override;
    void PaintNow(OsdWindow window) override;
    void HideApplicationWindow() override;

private:
    OsdShapeWindow& Window(OsdWindow window) const { return window == OsdWindow::Text ? text_ : progress_; }

    OsdShapeWindow& text_;
    OsdShapeWindow& progress_;
    HWND applicationWindow_;
};

// One of the OSD's timers, run by the main window once it exists.
class MainWindowOsdTimer final : public OsdTimer {
public:
    MainWindowOsdTimer(UINT_PTR id, UINT intervalMs) : id_(id), intervalMs_(intervalMs) {}
    void Bind(MainWindow& window) { window_ = &window; }
    void Start() override;
    void Stop() override;

private:
    UINT_PTR id_;
    UINT intervalMs_;
    MainWindow* window_ = nullptr;
};

class Win32PreviewHost final : public PreviewHost {
public:
    void SetBusyCursor(bool busy) override;
    void Block(int milliseconds) override;
};

class OnScreenDisplay final : public OsdDisplay {
public:
    // isAboutVisible answers whether the About window is shown.
    OnScreenDisplay(const Settings& settings, MasterVolume& volume, HWND applicationWindow,
                    std::function<bool()> isAboutVisible);

    // Creates both windows hidden, owned by the application window, and puts
    // the time-out and keep-on-top timers on the main window (both stopped).
    void Create(MainWindow& mainWindow);

    OsdController& Controller() { return controller_; }

    void ShowKeyLabel(int slot, const std::string& label) override { controller_.ShowKeyLabel(slot, label); }
    void ShowVolumeBar() override { controller_.ShowVolumeBar(); }
    void HideVolumeBar() override { controller_.HideVolumeBar(); }
    void KeyDone(int slot) override { controller_.KeyDone(slot); }

private:
    HWND applicationWindow_;
    OsdShapeWindow textWindow_;
    OsdShapeWindow progressWindow_;
    Win32OsdWindows windows_;
    MainWindowOsdTimer timer_{kOsdTimerId, kOsdTimerInterval};
    MainWindowOsdTimer keepOnTopTimer_{kOnTopTimerId, kOnTopTimerInterval};
    KeepOnTopWindows keptOnTop_;
    Win32PreviewHost host_;
    Win32Monitors monitors_;
    OsdController controller_;
};

}  // namespace keytide::win32
