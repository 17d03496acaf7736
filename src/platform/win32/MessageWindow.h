#pragma once
// The program's one message-only window (HWND_MESSAGE): never shown, without
// a taskbar button, and not among the top-level windows that other programs
// list. Hot keys, the tray icon's notifications and every timer of the
// program arrive here.
#include <functional>
#include <map>

#include "platform/IntervalTimer.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

class MessageWindowTimer;

class MessageWindow final : private WindowBase {
public:
    void Create(const char* className);
    HWND hwnd() const { return WindowBase::hwnd(); }

    // The handler of one message; a second one replaces the first.
    void OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class MessageWindowTimer;
    UINT_PTR AddTimer(MessageWindowTimer& timer);
    void RemoveTimer(UINT_PTR id);

    std::map<UINT, std::function<void(WPARAM, LPARAM)>> handlers_;
    std::map<UINT_PTR, MessageWindowTimer*> timers_;
    UINT_PTR lastTimerId_ = 0;
};

// One of the program's timers, on the message window under an id of its own.
class MessageWindowTimer final : public platform::IntervalTimer {
public:
    explicit MessageWindowTimer(MessageWindow& window);
    MessageWindowTimer(const MessageWindowTimer&) = delete;
    MessageWindowTimer& operator=(const MessageWindowTimer&) = delete;
    ~MessageWindowTimer() override;

    void Start(unsigned intervalMs, std::function<void()> onTick) override;
    void Stop() override;

private:
    friend class MessageWindow;
    void Tick();

    MessageWindow& window_;
    UINT_PTR id_;
    std::function<void()> onTick_;
};

}  // namespace keytide::win32
