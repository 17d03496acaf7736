#pragma once
// The title bar of the program's borderless windows: a light-blue strip with
// a bevel and the caption in bold Arial 16 px. Pressing the left button on it
// moves the window with the mouse; the other buttons do nothing. Flat buttons
// may sit on it ("?", "-", "X"): their clicks reach the window as if they
// were its own controls.
#include <windows.h>

#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"
#include "widgets/PaintedWindow_win.h"

namespace keytide::win32 {

class TitleBar final : public PaintedWindow {
public:
    struct Look {
        widgets::Color background = widgets::kTitleBarBlue;
        widgets::Color text = widgets::kBlack;
        FontStyle font{"Arial", 16, true};
        bool centred = false;
        bool bevel = true;
    };

    // bounds in the parent's client coordinates.
    void Create(HWND parent, const RECT& bounds, const char* caption, const Look& look);
    void Create(HWND parent, const RECT& bounds, const char* caption) { Create(parent, bounds, caption, Look{}); }

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    void MakeFont();

    Look look_;
    UniqueHfont font_;
};

}  // namespace keytide::win32
