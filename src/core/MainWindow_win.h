#pragma once
// The main window: hidden almost all the time, it receives the hot
// keys and the timers and hands them to the main controller.
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "core/MainController.h"
#include "platform/win32/SystemServices.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class MainWindow final : public WindowBase {
public:
    // The controller is built by the caller from services whose hot keys are
    // bound to this window once it exists.
    MainWindow(Win32Hotkeys& hotkeys, std::unique_ptr<MainController> controller);

    void Create(HWND owner);
    MainController& Controller() { return *controller_; }

    // Timers owned by the main window (the OSD's among them): a handler per
    // timer id, run on each tick. Ids below 100 are the window's own.
    void SetTimerHandler(UINT_PTR id, std::function<void()> handler);
    void StartTimer(UINT_PTR id, UINT intervalMs);
    void StopTimer(UINT_PTR id);

    // What the shown window holds (the assignment editor): it sees every
    // message first, and a value ends the window's own handling.
    using ContentHandler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    void SetContent(ContentHandler content) { content_ = std::move(content); }
    // Messages that a menu opened on this window sends to its owner (the
    // owner-drawn look's WM_MEASUREITEM and WM_DRAWITEM).
    void SetMenuMessageHandler(std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> handler) {
        menuMessages_ = std::move(handler);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Win32Hotkeys& hotkeys_;
    std::unique_ptr<MainController> controller_;
    std::map<UINT_PTR, std::function<void()>> timerHandlers_;
    ContentHandler content_;
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> menuMessages_;
};

}  // namespace keytide::win32
