#include "osd/OsdWindow_win.h"

#include "model/Error.h"

namespace keytide::win32 {

void OsdShapeWindow::Create(const char* className, int width, int height) {
    color_ = GetSysColor(COLOR_BTNFACE);
    brush_.reset(CreateSolidBrush(color_));
    CreateParams params{};
    params.className = className;
    params.title = "";
    params.style = WS_POPUP | WS_DISABLED;
    // Out of the taskbar and the Alt+Tab list, and never activated by a click.
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.x = 0;
    params.y = 0;
    params.width = width;
    params.height = height;
    WindowBase::Create(params);
}

void OsdShapeWindow::SetShape(UniqueHrgn region) {
    // On success the region belongs to the window; on failure it is ours to free.
    if (SetWindowRgn(hwnd(), region.get(), TRUE) != 0) (void)region.release();
}

void OsdShapeWindow::SetColor(COLORREF color) {
    if (color == color_ && brush_) return;
    UniqueHbrush brush(CreateSolidBrush(color));
    if (!brush) throw KeytideError("Cannot create the OSD colour");
    brush_ = std::move(brush);
    color_ = color;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void OsdShapeWindow::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd(), &paint);
    if (dc != nullptr) {
        FillRect(dc, &paint.rcPaint, brush_.get());
        EndPaint(hwnd(), &paint);
    }
}

LRESULT OsdShapeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint fills everything
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace keytide::win32
