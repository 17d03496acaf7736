#pragma once
// The program's windows that draw their whole client area themselves (the
// editor, the settings dialog, About, the welcome screen, the title bar):
// no erasing, painting through an off-screen canvas, WM_PRINTCLIENT for the
// controls that show their background, a move to a display of another DPI,
// and a close that hides: every such window lives until the program ends.
#include <windows.h>

#include <optional>

#include "platform/win32/WindowBase.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

// The painting part alone, for a window that is no PaintedWindow (a
// subclassed control): a value for the painting messages, nothing for others.
template <typename PaintFn>
std::optional<LRESULT> AnswerPaintMessages(HWND window, UINT message, WPARAM wParam, PaintFn&& paint) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the painting covers the client area
    case WM_PAINT:
        PaintClientOffscreen(window, paint);
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return std::nullopt;
    }
}

class PaintedWindow : public WindowBase {
protected:
    // The whole client area.
    virtual void Paint(HDC dc) = 0;
    // The window's own messages, before the common ones; a value ends the handling.
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // After a move to a display of another DPI: sizes, places and fonts anew.
    virtual void OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) {}
    // Alt+F4 and other closes; hidden unless the window says otherwise.
    virtual void OnCloseRequest() { ShowWindow(hwnd(), SW_HIDE); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
};

}  // namespace keytide::win32
