#pragma once
// The main window: hidden almost all the time, it hosts the assignment editor
// and carries the program's life from creation to the end.
#include <functional>
#include <memory>
#include <optional>

#include "core/MainController.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class MainWindow final : public WindowBase {
public:
    // The deferred start runs on a timer of the message window.
    MainWindow(MessageWindow& timers, std::unique_ptr<MainController> controller);

    void Create(HWND owner);
    MainController& Controller() { return *controller_; }

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
    std::unique_ptr<MainController> controller_;
    MessageWindowTimer deferredStart_;
    ContentHandler content_;
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> menuMessages_;
};

}  // namespace keytide::win32
