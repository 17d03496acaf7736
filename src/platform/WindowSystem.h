#pragma once
// Other programs' windows: lookup, style, messages, showing and hiding.
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
    virtual std::uint32_t WindowStyle(WindowId window) = 0;  // GWL_STYLE bits, 0 for no window
    virtual bool IsWindow(WindowId window) = 0;
    virtual bool IsWindowVisible(WindowId window) = 0;
    // Queues the message and returns at once; to no window it does nothing.
    virtual void Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Delivers the message and waits for it to be handled; 0 for no window.
    virtual std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    // As SendMessage, but gives up (nothing) when the receiver is hung or
    // takes longer than timeoutMs.
    virtual std::optional<std::intptr_t> SendWithTimeout(WindowId window, std::uint32_t message,
                                                            std::uintptr_t wParam, std::intptr_t lParam,
                                                            unsigned timeoutMs) = 0;
    virtual void ShowWindow(WindowId window, int command) = 0;
    // As ShowWindow, but for another thread's window the request is queued and
    // nothing waits for it. Doubles may keep this default.
    virtual void ShowWindowAsync(WindowId window, int command) { ShowWindow(window, command); }
};

}  // namespace keytide::platform
