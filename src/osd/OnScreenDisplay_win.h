#pragma once
// The on-screen display as the program runs it: the two OSD windows, the
// OSD's timers, and the controller that drives them.
#include <windows.h>

#include <string>

#include "media/MasterVolume.h"
#include "model/Settings.h"
#include "osd/KeepOnTopWindows.h"
#include "osd/OsdController.h"
#include "osd/OsdPorts.h"
#include "osd/OsdWindow_win.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/Win32Monitors.h"

namespace keytide::win32 {

class Win32OsdWindows final : public OsdWindows {
public:
    Win32OsdWindows(OsdShapeWindow& text, OsdShapeWindow& progress);

    bool IsVisible(OsdWindow window) const override;
    void ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) override;
    void ShapeProgress(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) override;
    void SetBounds(OsdWindow window, const WindowBounds& bounds) override;
    void SetColor(OsdWindow window, ColorValue color) override;
    void SetSpokenText(const std::string& text) override;
    void Disable(OsdWindow window) override;
    void Show(OsdWindow window) override;
    void Hide(OsdWindow window) override;
    void BringToTop(OsdWindow window) override;

private:
    OsdShapeWindow& Window(OsdWindow window) const { return window == OsdWindow::Text ? text_ : progress_; }

    OsdShapeWindow& text_;
    OsdShapeWindow& progress_;
};

class OnScreenDisplay final : public OsdDisplay {
public:
    OnScreenDisplay(const Settings& settings, MasterVolume& volume, MessageWindow& timers);

    // Creates both windows hidden.
    void Create();

    OsdController& Controller() { return controller_; }

    void ShowKeyLabel(int slot, const std::string& label) override { controller_.ShowKeyLabel(slot, label); }
    void ShowVolumeBar() override { controller_.ShowVolumeBar(); }
    void HideVolumeBar() override { controller_.HideVolumeBar(); }
    void KeyDone(int slot) override { controller_.KeyDone(slot); }

private:
    OsdShapeWindow textWindow_;
    OsdShapeWindow progressWindow_;
    Win32OsdWindows windows_;
    MessageWindowTimer timer_;
    MessageWindowTimer keepOnTopTimer_;
    KeepOnTopWindows keptOnTop_;
    Win32Monitors monitors_;
    OsdController controller_;
};

}  // namespace keytide::win32
