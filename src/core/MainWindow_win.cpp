#include "core/MainWindow_win.h"

#include "platform/Names.h"

namespace keytide::win32 {

namespace {
constexpr UINT kDeferredStartDelayMs = 1000;
constexpr int kClientWidth = 521;
constexpr int kClientHeight = 280;
}  // namespace

MainWindow::MainWindow(MessageWindow& timers, std::unique_ptr<MainController> controller)
    : controller_(std::move(controller)), deferredStart_(timers) {}

void MainWindow::Create(HWND owner) {
    CreateParams params{};
    params.className = names::kMainWindowClass;
    params.title = names::kMainWindowTitle;
    params.style = WS_POPUP | WS_CLIPCHILDREN;
    params.width = kClientWidth;
    params.height = kClientHeight;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
    params.owner = owner;
    params.background = GetSysColorBrush(COLOR_BTNFACE);
    WindowBase::Create(params);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (content_) {
        if (std::optional<LRESULT> handled = content_(message, wParam, lParam)) return *handled;
    }
    switch (message) {
    case WM_CREATE:
        controller_->OnCreate();
        deferredStart_.Start(kDeferredStartDelayMs, [this] {
            deferredStart_.Stop();
            controller_->OnDeferredStart();
        });
        return 0;
    case WM_QUERYENDSESSION:
        controller_->OnCloseQuery();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam == FALSE) controller_->SessionEndCancelled();
        return 0;
    case WM_CLOSE:
        controller_->OnCloseQuery();
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        controller_->OnDestroy();
        PostQuitMessage(0);
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (menuMessages_) {
            if (auto handled = menuMessages_(message, wParam, lParam)) return *handled;
        }
        return DefaultHandling(message, wParam, lParam);
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace keytide::win32
