#include "shell/TrayIcon.h"

#include <algorithm>

namespace keytide {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::u16string TrayTip(std::u16string_view hint, bool showHint) {
    if (!showHint) return {};
    if (hint.size() <= kTrayTipLength) return std::u16string(hint);
    std::size_t length = kTrayTipLength;
    // Half a character would show as a box.
    if (IsHighSurrogate(hint[length - 1])) --length;
    return std::u16string(hint.substr(0, length));
}

TrayIcon::TrayIcon(NotificationArea& area, platform::IntervalTimer& cycleTimer, int pictureCount)
    : area_(area), timer_(cycleTimer), pictureCount_(std::max(pictureCount, 0)) {}

TrayIcon::~TrayIcon() {
    timer_.Stop();
    if (visible_) area_.Remove(identity_);
}

void TrayIcon::SetIconIndex(int index) {
    index_ = pictureCount_ == 0 ? 0 : std::clamp(index, 0, pictureCount_ - 1);
    // Within an animation step the step itself updates the shell, once.
    if (inTick_) return;
    UpdateShell();
    // A long tick planned for the picture before would skip what follows this one.
    if (coveredSteps_ != 0) {
        timer_.Stop();
        ApplyTimer();
    }
}

void TrayIcon::SetCycleIcons(bool cycling) {
    cycling_ = cycling;
    if (cycling) SetIconIndex(0);
    ApplyTimer();
}

void TrayIcon::SetCycleInterval(unsigned intervalMs) {
    intervalMs_ = intervalMs;
    // A running timer takes the new interval at once.
    if (cycling_ && visible_) {
        timer_.Stop();
        ApplyTimer();
    }
}

void TrayIcon::SetHint(std::u16string hint) {
    hint_ = std::move(hint);
    UpdateShell();
}

void TrayIcon::SetShowHint(bool show) {
    showHint_ = show;
    UpdateShell();
}

void TrayIcon::SetIconVisible(bool visible) {
    if (visible) {
        visible_ = true;
        AddToShell();
    } else {
        if (visible_) area_.Remove(identity_);
        visible_ = false;
    }
    ApplyTimer();
}

void TrayIcon::OnTaskbarCreated() {
    if (visible_) AddToShell();
}

void TrayIcon::OnNotification(TrayNotification notification, TrayPoint at) {
    if (!enabled_ || events_ == nullptr) return;
    switch (notification) {
    case TrayNotification::LeftDown:
        clickPending_ = true;
        break;
    case TrayNotification::LeftUp:
        // A click needs the press on the icon too, so a double click (press,
        // release, double-click message, release) gives exactly one.
        if (clickPending_) {
            clickPending_ = false;
            events_->OnClick();
        }
        break;
    case TrayNotification::RightUp:
        // In the current form the shell follows with its own menu request.
        if (!currentCallbacks_) events_->OnMenuRequest(at);
        break;
    case TrayNotification::ContextMenu:
    case TrayNotification::KeySelect:
        events_->OnMenuRequest(at);
        break;
    default:
        break;  // moves, the other buttons, and the shell's own note of a left click
    }
}

void TrayIcon::AddToShell() {
    const TrayIconFace face = Face();
    bool added = area_.Add(TrayIdentity::Guid, face);
    if (!added) {
        // An icon of ours that the shell still holds (a copy that crashed,
        // or a taskbar that was not made anew after all) refuses the add.
        area_.Remove(TrayIdentity::Guid);
        added = area_.Add(TrayIdentity::Guid, face);
    }
    identity_ = TrayIdentity::Guid;
    if (!added && area_.Add(TrayIdentity::WindowAndNumber, face)) {
        identity_ = TrayIdentity::WindowAndNumber;
        added = true;
    }
    currentCallbacks_ = added && area_.UseCurrentCallbacks(identity_);
}

void TrayIcon::UpdateShell() {
    // The shell refuses changes to an icon it does not hold, so none is sent.
    if (visible_) area_.Modify(identity_, Face());
}

void TrayIcon::ApplyTimer() {
    coveredSteps_ = 0;
    // A hidden icon is not animated: there is nothing to see.
    if (cycling_ && visible_) {
        timer_.Start(intervalMs_, [this] { OnCycleTick(); });
    } else {
        timer_.Stop();
    }
}

void TrayIcon::OnCycleTick() {
    if (pictureCount_ == 0) return;
    const int last = pictureCount_ - 1;
    index_ += coveredSteps_;
    inTick_ = true;
    if (events_ != nullptr) events_->OnCycle(*this, index_ < last ? index_ + 1 : 0);
    index_ = index_ < last ? index_ + 1 : 0;
    inTick_ = false;
    UpdateShell();
    ScheduleNextStep();
}

void TrayIcon::ScheduleNextStep() {
    // While the coming pictures look like this one the animation rests: one
    // tick at the end of the rest instead of one per step. The last picture
    // is never passed over, as the step from it may be handled.
    const int last = pictureCount_ - 1;
    int alike = 0;
    for (int next = index_ + 1; next < last && area_.LookAlike(next, index_); ++next) ++alike;
    if (alike == coveredSteps_) return;
    coveredSteps_ = alike;
    timer_.Start(intervalMs_ * static_cast<unsigned>(alike + 1), [this] { OnCycleTick(); });
}

TrayIconFace TrayIcon::Face() const { return TrayIconFace{index_, TrayTip(hint_, showHint_)}; }

}  // namespace keytide
