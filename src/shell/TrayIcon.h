#pragma once
// The program's icon in the notification area: which picture it shows, the
// animation through the pictures, the tooltip, whether it is there at all,
// and the mouse on it turned into events. The shell itself is reached through
// NotificationArea, so everything here runs (and is tested) without Windows.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/IntervalTimer.h"
#include "shell/TrayAnimation.h"

namespace keytide {

// The shell keeps 128 UTF-16 units of tooltip, the last one for the zero.
inline constexpr std::size_t kTrayTipLength = 127;

// The hint as the shell gets it: at most 127 units, never ending in the first
// half of a surrogate pair, empty when the hint is not to be shown.
std::u16string TrayTip(std::u16string_view hint, bool showHint);

// How the shell knows the icon. By its GUID the shell keeps the user's "always
// show" choice from run to run; Windows binds that GUID to the executable's
// path, so after the program has moved only the window-and-number form works.
enum class TrayIdentity { Guid, WindowAndNumber };

// What the shell shows of the icon.
struct TrayIconFace {
    int picture = 0;
    std::u16string tip;
};

// The shell's notification area, for the program's one icon.
class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // Each returns whether the shell accepted the request.
    virtual bool Add(TrayIdentity identity, const TrayIconFace& face) = 0;
    virtual bool Modify(TrayIdentity identity, const TrayIconFace& face) = 0;
    virtual bool Remove(TrayIdentity identity) = 0;
    // Asks for the current callback form (position and icon in the message,
    // a context-menu request after the right button and from the keyboard).
    virtual bool UseCurrentCallbacks(TrayIdentity identity) = 0;
    // Whether the two pictures look the same: a step from one to the other
    // changes nothing on the screen.
    virtual bool LookAlike(int picture, int other) const { return picture == other; }
};

struct TrayPoint {
    int x = 0;
    int y = 0;
};

// The notifications the shell sends about the icon; the numbers are the
// window messages they arrive as.
enum class TrayNotification : std::uint32_t {
    ContextMenu = 0x007B,  // the current form only: after the right button, or from the keyboard
    MouseMove = 0x0200,
    LeftDown = 0x0201,
    LeftUp = 0x0202,
    LeftDoubleClick = 0x0203,
    RightDown = 0x0204,
    RightUp = 0x0205,
    MiddleDown = 0x0207,
    MiddleUp = 0x0208,
    Select = 0x0400,     // the current form only: after a left click
    KeySelect = 0x0401,  // the current form only: Enter or Space on the icon
};

// What the program does about the icon. Every handler has a do-nothing default.
class TrayIconEvents {
public:
    virtual ~TrayIconEvents() = default;
    // A left press and release on the icon; a double click gives one.
    virtual void OnClick() {}
    // The user asked for the icon's menu: the right button released over it,
    // or (current callback form) the menu key or Enter on it.
    virtual void OnMenuRequest(TrayPoint) {}
};

class TrayIcon {
public:
    // pictureCount: pictures 0 .. pictureCount - 1 (none: the index stays 0).
    TrayIcon(NotificationArea& area, platform::IntervalTimer& cycleTimer, int pictureCount);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();

    void SetEvents(TrayIconEvents* events) { events_ = events; }

    // An index past the last picture selects the last one.
    void SetIconIndex(int index);
    int IconIndex() const { return index_; }

    // Switching on starts again at picture 0, with a sweep at once (as does
    // showing the icon again).
    void SetCycleIcons(bool cycling);
    bool CycleIcons() const { return cycling_; }
    void SetAnimationPace(const TrayAnimationPace& pace);

    void SetHint(std::u16string hint);
    void SetShowHint(bool show);

    void SetIconVisible(bool visible);
    bool IconVisible() const { return visible_; }

    // While off, the mouse on the icon does nothing.
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    // A notification from the shell, with the mouse position it concerns.
    void OnNotification(TrayNotification notification, TrayPoint at);
    // The shell's taskbar has been made anew (the shell restarted).
    void OnTaskbarCreated();

    // Whether the shell sends the current callback form; valid while visible.
    bool UsesCurrentCallbacks() const { return currentCallbacks_; }

private:
    void AddToShell();
    void UpdateShell();
    void ApplyTimer();
    void OnAnimationStep(int picture);
    TrayIconFace Face() const;

    NotificationArea& area_;
    platform::IntervalTimer& timer_;
    TrayIconEvents* events_ = nullptr;
    const int pictureCount_;
    int index_ = 0;
    bool cycling_ = false;
    TrayAnimationPace pace_;
    std::u16string hint_;
    bool showHint_ = true;
    bool visible_ = false;
    bool enabled_ = true;
    bool clickPending_ = false;
    // The next step opens the animation: switched on, or the icon shown again.
    bool opening_ = false;
    bool currentCallbacks_ = false;
    TrayIdentity identity_ = TrayIdentity::Guid;
};

}  // namespace keytide
