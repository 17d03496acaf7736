#include "platform/win32/MessageWindow.h"

namespace keytide::win32 {

void MessageWindow::Create(const char* className) {
    CreateParams params{};
    params.className = className;
    params.title = "";
    params.style = 0;
    params.owner = HWND_MESSAGE;
    WindowBase::Create(params);
}

void MessageWindow::OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler) {
    handlers_[message] = std::move(handler);
}

UINT_PTR MessageWindow::AddTimer(MessageWindowTimer& timer) {
    timers_[++lastTimerId_] = &timer;
    return lastTimerId_;
}

void MessageWindow::RemoveTimer(UINT_PTR id) {
    if (hwnd() != nullptr) KillTimer(hwnd(), id);
    timers_.erase(id);
}

LRESULT MessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (auto timer = timers_.find(wParam); timer != timers_.end()) timer->second->Tick();
        return 0;
    }
    if (auto handler = handlers_.find(message); handler != handlers_.end()) {
        handler->second(wParam, lParam);
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

MessageWindowTimer::MessageWindowTimer(MessageWindow& window) : window_(window), id_(window.AddTimer(*this)) {}

MessageWindowTimer::~MessageWindowTimer() { window_.RemoveTimer(id_); }

void MessageWindowTimer::Start(unsigned intervalMs, std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    SetTimer(window_.hwnd(), id_, intervalMs, nullptr);
}

void MessageWindowTimer::Stop() {
    KillTimer(window_.hwnd(), id_);
    onTick_ = nullptr;
}

void MessageWindowTimer::Tick() {
    // Run from a copy: the tick may start or stop this timer, which replaces
    // the handler that is running.
    if (const std::function<void()> tick = onTick_) tick();
}

}  // namespace keytide::win32
