#pragma once
// The tray icon on Windows: it talks to the shell (Shell_NotifyIconW) and
// hands every notification to the portable TrayIcon. The notifications come
// to the program's message window. A hidden top-level window of its own hears
// what the system says to top-level windows only: the taskbar made anew, and
// the end of the session; it owns the tray menu while that is up, and closing
// it ends the program. Alt+F4 does not: the tray menu leaves this window
// active, so the keys a user meant for the editor may come here.
#include <windows.h>
// windows.h first: shellapi.h depends on it.
#include <shellapi.h>

#include <functional>
#include <optional>

#include "core/MainController.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/WindowBase.h"
#include "shell/TrayIcon.h"
#include "shell/TrayPictures_win.h"

namespace keytide::win32 {

class TrayIconWindow final : public NotificationArea, private WindowBase {
public:
    TrayIconWindow(TrayPictures pictures, MessageWindow& notifications);

    void Create();
    HWND hwnd() const { return WindowBase::hwnd(); }
    // Where the notifications go.
    void SetIcon(TrayIcon* icon) { icon_ = icon; }
    // Who hears of the program's end and the session's.
    void SetController(MainController* controller) { controller_ = controller; }
    // Alt+F4 (or the system menu's Close) while this window is active.
    void SetCloseKeyHandler(std::function<void()> handler) { closeKey_ = std::move(handler); }
    // Messages that a menu tracked on this window sends to its owner (the
    // owner-drawn look's WM_MEASUREITEM and WM_DRAWITEM).
    void SetMenuMessageHandler(std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> handler) {
        menuMessages_ = std::move(handler);
    }

    bool Add(TrayIdentity identity, const TrayIconFace& face) override;
    bool Modify(TrayIdentity identity, const TrayIconFace& face) override;
    bool Remove(TrayIdentity identity) override;
    bool UseCurrentCallbacks(TrayIdentity identity) override;
    bool LookAlike(int picture, int other) const override {
        return pictures_.Picture(picture) == pictures_.Picture(other);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    NOTIFYICONDATAW Record(TrayIdentity identity) const;
    void OnNotification(WPARAM wParam, LPARAM lParam);

    TrayPictures pictures_;
    MessageWindow& notifications_;
    TrayIcon* icon_ = nullptr;
    MainController* controller_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool currentCallbacks_ = false;
    // What the shell shows now, so that a change sends only what changed.
    std::optional<TrayIconFace> shown_;
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> menuMessages_;
    std::function<void()> closeKey_;
};

}  // namespace keytide::win32
