#pragma once
// Other programs' windows and the program's own, in the program's terms:
// lookup, the boxes of a window's frame, the commands of its system menu,
// showing and hiding, and the message protocols of the shell's desktop and of
// the media player. The message numbers behind them belong to the
// implementation.
#include <cstdint>
#include <optional>

namespace keytide::platform {

// A window handle as a number; 0 is no window.
using WindowId = std::uintptr_t;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual WindowId ForegroundWindow() = 0;
    // The top-level window with exactly this class and title; a null title
    // matches any title.
    virtual WindowId FindTopWindow(const char* className, const char* title) = 0;
    // The frame window of a running store app whose program file has this
    // name (any letter case), whatever the frame's title says in the user's
    // language; 0 when there is none.
    virtual WindowId FindAppFrame(const char* programFile) = 0;
    virtual bool IsWindow(WindowId window) = 0;
    // Whether the window's frame offers the box; false for no window.
    virtual bool HasMaximizeBox(WindowId window) = 0;
    virtual bool HasMinimizeBox(WindowId window) = 0;

    // Commands of the window's system menu. They are queued and return at
    // once; what happens is the window's business. To no window they do nothing.
    virtual void RequestClose(WindowId window) = 0;
    virtual void RequestMaximize(WindowId window) = 0;
    virtual void RequestMinimize(WindowId window) = 0;
    virtual void RequestRestore(WindowId window) = 0;
    // Asks the window for the screen saver and waits until it has handled the
    // request; its default handling starts the user's screen saver.
    virtual void StartScreenSaver(WindowId window) = 0;

    // Sends the shell's desktop window its refresh command and waits until it
    // has been handled; to no window it does nothing.
    virtual void RefreshDesktopWindow(WindowId desktop) = 0;
    // Repaints the desktop with every window on it, and tells the shell that
    // the desktop folder's contents may have changed.
    virtual void RepaintDesktop() = 0;

    // The media player's request protocol: a request code and its argument,
    // answered by the player. Nothing when there is no window, or when it is
    // hung or takes longer than timeoutMs.
    virtual std::optional<std::intptr_t> SendPlayerRequest(WindowId window, std::int32_t code, std::int32_t argument,
                                                           unsigned timeoutMs) = 0;
    // A command id of the player's menus, queued; to no window it does nothing.
    virtual void PostPlayerCommand(WindowId window, std::uint32_t id) = 0;
};

}  // namespace keytide::platform
