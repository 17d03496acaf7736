#include "osd/KeepOnTopWindows.h"

namespace keytide {

KeepOnTopWindows::KeepOnTopWindows(OsdWindows& windows, platform::IntervalTimer& keepOnTopTimer)
    : windows_(windows), timer_(keepOnTopTimer) {}

void KeepOnTopWindows::Show(OsdWindow window) {
    windows_.Show(window);
    // Not restarted while it runs: a run of key presses faster than its
    // period would otherwise keep its tick from ever coming.
    if (!timerRunning_) {
        timer_.Start(kIntervalMs, [this] { OnTick(); });
        timerRunning_ = true;
    }
}

void KeepOnTopWindows::Hide(OsdWindow window) {
    windows_.Hide(window);
    if (timerRunning_ && !windows_.IsVisible(OsdWindow::Text) && !windows_.IsVisible(OsdWindow::Progress)) {
        timer_.Stop();
        timerRunning_ = false;
    }
}

void KeepOnTopWindows::OnTick() {
    for (OsdWindow window : {OsdWindow::Text, OsdWindow::Progress}) {
        if (windows_.IsVisible(window)) windows_.BringToTop(window);
    }
}

}  // namespace keytide
