#include "widgets/FlatButton_win.h"

#include "widgets/Dpi_win.h"

namespace keytide::win32 {

void FlatButton::SetPalette(const widgets::FlatButtonPalette& palette) {
    palette_ = palette;
    Redraw();
}

void FlatButton::Draw(HDC dc, const RECT& rect, const ControlState& state) {
    const bool enabled = state.enabled;
    const bool held = state.held || ShowsDown();
    const bool focused = state.focused;
    const widgets::FaceState face = widgets::FaceStateOf(enabled, held, focused, MouseOver());
    FillSolid(dc, rect, widgets::FaceColor(palette_, face));
    FrameSolid(dc, rect, palette_.border);

    RECT text = rect;
    if (held) {
        // Pressed in: a dark line inside the top and left border, the caption one pixel down and right.
        FillSolid(dc, {rect.left + 1, rect.top + 1, rect.right - 1, rect.top + 2}, palette_.border);
        FillSolid(dc, {rect.left + 1, rect.top + 1, rect.left + 2, rect.bottom - 1}, palette_.border);
        OffsetRect(&text, 1, 1);
    }
    SetTextColor(dc, ToColorRef(enabled ? palette_.text : palette_.disabledText));
    const std::string caption = Caption();
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!state.showPrefixes) format |= DT_HIDEPREFIX;
    DrawTextA(dc, caption.c_str(), -1, &text, format);

    if (focused && state.showFocus) {
        const int inset = ScaleForWindow(hwnd(), 3);
        RECT focus{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
        if (focus.right > focus.left && focus.bottom > focus.top) {
            SetTextColor(dc, ToColorRef(palette_.text));
            SetBkColor(dc, ToColorRef(widgets::FaceColor(palette_, face)));
            DrawFocusRect(dc, &focus);
        }
    }
}

}  // namespace keytide::win32
