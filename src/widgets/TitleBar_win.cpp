#include "widgets/TitleBar_win.h"

#include <string>
#include <vector>

#include "widgets/Dpi_win.h"
#include "widgets/FlatControl_win.h"

namespace keytide::win32 {

namespace {

constexpr char kTitleBarClass[] = "KeytideTitleBar";
// The system's move loop, as if the caption had been grabbed.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;  // 0xF012

}  // namespace

void TitleBar::Create(HWND parent, const RECT& bounds, const char* caption, const Look& look) {
    look_ = look;
    CreateParams params{};
    params.className = kTitleBarClass;
    params.title = caption;
    params.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    params.x = bounds.left;
    params.y = bounds.top;
    params.width = bounds.right - bounds.left;
    params.height = bounds.bottom - bounds.top;
    params.owner = parent;
    PaintedWindow::Create(params);
    MakeFont();
}

void TitleBar::MakeFont() {
    if (UniqueHfont font = CreateFlatFont(look_.font, WindowDpi(hwnd()))) font_ = std::move(font);
}

void TitleBar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillSolid(dc, client, look_.background);
    if (look_.bevel) {
        // A lowered outer and a raised inner edge.
        const int width = client.right;
        const int height = client.bottom;
        PaintShapes(dc, widgets::EdgeRingShapes(width, height, 0, widgets::kFlatBlue, widgets::kWhite));
        PaintShapes(dc, widgets::EdgeRingShapes(width, height, 1, widgets::kWhite, widgets::kFlatBlue));
    }
    const int length = GetWindowTextLengthW(hwnd());
    std::vector<wchar_t> caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), caption.data(), length + 1);

    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(look_.text));
    RECT text = client;
    text.left += ScaleForWindow(hwnd(), 8);
    const UINT format =
        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (look_.centred ? DT_CENTER : DT_LEFT);
    if (look_.centred) text.right -= ScaleForWindow(hwnd(), 8);
    DrawTextW(dc, caption.data(), -1, &text, format);
    SetBkMode(dc, previousMode);
}

std::optional<LRESULT> TitleBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        ReleaseCapture();
        SendMessageA(GetAncestor(hwnd(), GA_ROOT), WM_SYSCOMMAND, kMoveByCaption, 0);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        // The buttons on the bar belong to the window, which passes their
        // clicks back to them once, as it does for its own controls.
        return SendMessageA(GetParent(hwnd()), message, wParam, lParam);
    case WM_SETTEXT: {
        const LRESULT result = DefaultHandling(message, wParam, lParam);
        InvalidateRect(hwnd(), nullptr, FALSE);
        return result;
    }
    case kDpiChangedAfterParent:
        MakeFont();
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    default:
        return std::nullopt;
    }
}

}  // namespace keytide::win32
