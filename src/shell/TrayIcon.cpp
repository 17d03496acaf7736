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
    : area_(area), timer_(cycleTimer), pictureCount_(std::max(pictureCount, 0)) {
    pace_.lastPicture = pictureCount_ - 1;  // until told otherwise, every picture in turn
}

TrayIcon::~TrayIcon() {
    timer_.Stop();
    if (visible_) area_.Remove(identity_);
}

void TrayIcon::SetIconIndex(int index) {
    index_ = pictureCount_ == 0 ? 0 : std::clamp(index, 0, pictureCount_ - 1);
    UpdateShell();
    // The animation goes on from the new picture.
    if (cycling_) ApplyTimer();
}

void TrayIcon::SetCycleIcons(bool cycling) {
    cycling_ = cycling;
    opening_ = cycling;
    if (cycling) {
        index_ = 0;
        UpdateShell();
    }
    ApplyTimer();
}

void TrayIcon::SetAnimationPace(const TrayAnimationPace& pace) {
    pace_ = pace;
    ApplyTimer();
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
        opening_ = opening_ || !visible_;
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
    // A hidden icon is not animated: there is nothing to see. Nor is one
    // whose pictures all look alike.
    const auto step = cycling_ && visible_ && pictureCount_ > 0
                          ? NextAnimationStep(pace_, index_,
                                              [this](int picture, int other) {
                                                  return area_.LookAlike(std::min(picture, pictureCount_ - 1),
                                                                         std::min(other, pictureCount_ - 1));
                                              },
                                              opening_)
                          : std::nullopt;
    if (!step) {
        timer_.Stop();
        return;
    }
    opening_ = false;
    const int picture = step->picture;
    timer_.Start(step->delayMs, [this, picture] { OnAnimationStep(picture); });
}

void TrayIcon::OnAnimationStep(int picture) {
    index_ = std::clamp(picture, 0, pictureCount_ - 1);
    UpdateShell();
    ApplyTimer();
}

TrayIconFace TrayIcon::Face() const { return TrayIconFace{index_, TrayTip(hint_, showHint_)}; }

}  // namespace keytide
