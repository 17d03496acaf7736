#include "shell/WelcomeScreen_win.h"

#include <cstring>

#include "model/Names.h"
#include "shell/ProductInfo.h"
#include "shell/WelcomePainter_win.h"
#include "shell/WelcomePicture.h"
#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

namespace {
constexpr int kClientWidth = 302;
constexpr int kClientHeight = 200;
// The version label over the picture's version box (at 96 DPI).
constexpr RECT kVersionLabel{264, 24, 291, 38};
}  // namespace

void WelcomeScreen::Create() {
    {
        WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    const int width = widgets::ScaleToDpi(kClientWidth, dpi_);
    const int height = widgets::ScaleToDpi(kClientHeight, dpi_);
    CreateParams params{};
    params.className = names::kWelcomeWindowClass;
    params.title = names::kProgramTitle;
    params.style = WS_POPUP | WS_DISABLED;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    params.width = width;
    params.height = height;
    PaintedWindow::Create(params);

    picture_ = PaintWelcomePicture(welcome::WelcomePicture(), width, height);
    versionFont_ = CreateFlatFont(FontStyle{"Arial", 11, true}, dpi_);
}

void WelcomeScreen::ShowAndWait() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // No message is handled during the wait: the picture must be on the
    // screen before it begins.
    UpdateWindow(hwnd());
    GdiFlush();
    Sleep(kWelcomeDisplayMs);
}

void WelcomeScreen::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void WelcomeScreen::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (picture_) {
        UniqueMemoryDc source(CreateCompatibleDC(dc));
        SelectedObject bitmap(source.get(), picture_.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
    } else {
        FillSolid(dc, client, widgets::kSilver);
    }
    SelectedObject font(dc, versionFont_.get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT label{widgets::ScaleToDpi(kVersionLabel.left, dpi_), widgets::ScaleToDpi(kVersionLabel.top, dpi_),
               widgets::ScaleToDpi(kVersionLabel.right, dpi_), widgets::ScaleToDpi(kVersionLabel.bottom, dpi_)};
    DrawTextA(dc, product::kWelcomeVersion, -1, &label, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    SetBkMode(dc, previousMode);
}

std::optional<LRESULT> WelcomeScreen::OnMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATEANDEAT;
    default:
        return std::nullopt;
    }
}

}  // namespace keytide::win32
