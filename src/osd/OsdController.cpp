#include "osd/OsdController.h"

#include <algorithm>

namespace keytide {

OsdController::OsdController(OsdServices services, const Settings& settings)
    : services_(services), settings_(settings) {}

void OsdController::ShowKeyLabel(int slot, const std::string& label) {
    const platform::MonitorRect screen = ScreenInUse();
    if (slot != lastSlot_ || !services_.windows.IsVisible(OsdWindow::Text) || screen != labelScreen_) {
        ShowLabelOn(screen, label);
    }
}

void OsdController::KeyDone(int slot) {
    ticks_ = 0;
    lastSlot_ = slot;
}

platform::MonitorRect OsdController::ScreenInUse() { return OsdScreen(services_.monitors.Layout()); }

void OsdController::ShowLabel(const std::string& label) { ShowLabelOn(ScreenInUse(), label); }

void OsdController::ShowLabelOn(const platform::MonitorRect& screen, const std::string& label) {
    OsdWindows& windows = services_.windows;
    windows.ShapeText(label, OsdFontFor(settings_, SizeOf(screen)), SizeOf(screen));
    windows.SetSpokenText(label);
    label_ = label;
    labelScreen_ = screen;
    windows.SetBounds(OsdWindow::Text, TextWindowBounds(screen));
    windows.SetColor(OsdWindow::Text, settings_.osdColor);
    windows.Disable(OsdWindow::Text);
    windows.Show(OsdWindow::Text);
    ticks_ = 0;
    services_.timer.Start(kTickMs, [this] { OnTimeOutTick(); });
}

void OsdController::ShowVolumeBar() {
    OsdWindows& windows = services_.windows;
    const platform::MonitorRect screen = ScreenInUse();
    // During a run of volume presses only the width changes.
    if (!windows.IsVisible(OsdWindow::Progress) || screen != barScreen_) {
        windows.ShapeProgress(ProgressBarHeight(SizeOf(screen)), settings_.barStyle, screen.width);
        barScreen_ = screen;
    }
    const VolumeLevels volume = services_.volume.Read();
    const int steps = VolumeSteps(volume);
    windows.SetSpokenText(SpokenVolume(label_, volume));
    windows.SetColor(OsdWindow::Progress, settings_.osdColor);
    windows.SetBounds(OsdWindow::Progress, ProgressWindowBounds(screen, VolumeBarWidth(SizeOf(screen), steps)));
    windows.Disable(OsdWindow::Progress);
    windows.Show(OsdWindow::Progress);
}

void OsdController::HideVolumeBar() { services_.windows.Hide(OsdWindow::Progress); }

void OsdController::OnTimeOutTick() {
    ++ticks_;
    if (ticks_ > TickLimit(settings_.timeOutSeconds)) {
        services_.windows.Hide(OsdWindow::Text);
        services_.windows.Hide(OsdWindow::Progress);
        services_.timer.Stop();
    }
}

void OsdController::Preview(const Settings& dialogControls) {
    OsdWindows& windows = services_.windows;
    const platform::MonitorRect screen = ScreenInUse();

    windows.SetColor(OsdWindow::Text, dialogControls.osdColor);
    windows.ShapeText(kPreviewText, OsdFontFor(dialogControls, SizeOf(screen)), SizeOf(screen));
    windows.SetSpokenText(kPreviewText);
    windows.SetBounds(OsdWindow::Text, TextWindowBounds(screen));
    windows.Show(OsdWindow::Text);
    windows.Disable(OsdWindow::Text);

    windows.ShapeProgress(ProgressBarHeight(SizeOf(screen)), dialogControls.barStyle, screen.width);
    windows.SetBounds(OsdWindow::Progress, ProgressWindowBounds(screen, screen.width));
    windows.SetColor(OsdWindow::Progress, dialogControls.osdColor);
    windows.Show(OsdWindow::Progress);
    windows.Disable(OsdWindow::Progress);

    // The thread goes on with its messages meanwhile; a click during the
    // preview starts it again from here, with what the dialog holds then.
    const int waitMs = PreviewWaitMs(dialogControls.timeOutSeconds);
    services_.timer.Start(static_cast<unsigned>(std::max(waitMs, 1)), [this] { EndPreview(); });
}

void OsdController::EndPreview() {
    services_.timer.Stop();
    services_.windows.Hide(OsdWindow::Progress);
    services_.windows.Hide(OsdWindow::Text);
}

}  // namespace keytide
