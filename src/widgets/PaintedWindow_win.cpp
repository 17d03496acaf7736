#include "widgets/PaintedWindow_win.h"

#include "widgets/DialogKeys_win.h"
#include "widgets/Dpi_win.h"

namespace keytide::win32 {

LRESULT PaintedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> own = OnMessage(message, wParam, lParam)) return *own;
    if (std::optional<LRESULT> painted = AnswerPaintMessages(hwnd(), message, wParam, [this](HDC dc) { Paint(dc); })) {
        return *painted;
    }
    switch (message) {
    case kDpiChanged:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        OnCloseRequest();
        return 0;
    case WM_DESTROY:
        DisableDialogKeys(hwnd());
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace keytide::win32
