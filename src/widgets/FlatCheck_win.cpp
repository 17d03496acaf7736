#include "widgets/FlatCheck_win.h"

#include <commctrl.h>

#include <algorithm>

#include "widgets/Dpi_win.h"
#include "widgets/FlatLook.h"

namespace keytide::win32 {

namespace {

const widgets::Color kMarkColor = widgets::kFlatBluePressed;
const widgets::Color kBoxMouseOver = widgets::Rgb(0xEA, 0xF7, 0xFF);
const widgets::Color kBoxDisabled = widgets::Rgb(0xE0, 0xE0, 0xE0);
const widgets::Color kTextDisabled = widgets::kGray;

widgets::Color BoxFill(bool enabled, bool held, bool mouseOver) {
    if (!enabled) return kBoxDisabled;
    if (held) return widgets::kPaleBlue;
    return mouseOver ? kBoxMouseOver : widgets::kWhite;
}

}  // namespace

void FlatMarkButton::SetTextColor(widgets::Color color) {
    textColor_ = color;
    Redraw();
}

void FlatMarkButton::Draw(HDC dc, const RECT& rect, const ControlState& state) {
    PaintParentBackground(hwnd(), dc);
    const bool enabled = state.enabled;
    const bool held = state.held;

    const int size = ScaleForWindow(hwnd(), 13);
    const int top = rect.top + (rect.bottom - rect.top - size) / 2;
    const RECT box{rect.left, top, rect.left + size, top + size};
    DrawMark(dc, box, enabled, held);

    RECT text{box.right + ScaleForWindow(hwnd(), 5), rect.top, rect.right, rect.bottom};
    const std::string caption = Caption();
    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    if (!state.showPrefixes) format |= DT_HIDEPREFIX;
    ::SetTextColor(dc, ToColorRef(enabled ? textColor_ : kTextDisabled));
    DrawTextA(dc, caption.c_str(), -1, &text, format);

    if (state.focused && state.showFocus) {
        RECT measured = text;
        DrawTextA(dc, caption.c_str(), -1, &measured, format | DT_CALCRECT);
        const int textHeight = measured.bottom - measured.top;
        RECT focus{text.left - 1, rect.top + (rect.bottom - rect.top - textHeight) / 2 - 1,
                   std::min(measured.right, rect.right) + 1, 0};
        focus.bottom = focus.top + textHeight + 2;
        ::SetTextColor(dc, ToColorRef(widgets::kBlack));
        SetBkColor(dc, ToColorRef(widgets::kWhite));
        DrawFocusRect(dc, &focus);
    }
}

void FlatCheckBox::DrawMark(HDC dc, const RECT& box, bool enabled, bool held) {
    FillSolid(dc, box, BoxFill(enabled, held, MouseOver()));
    FrameSolid(dc, box, enabled ? widgets::kBlack : widgets::kGray);
    if (!IsChecked()) return;
    const int size = box.right - box.left;
    const POINT tick[] = {
        {box.left + size * 3 / 13, box.top + size * 6 / 13},
        {box.left + size * 5 / 13, box.top + size * 8 / 13},
        {box.left + size * 10 / 13, box.top + size * 3 / 13},
    };
    UniqueHpen pen(CreatePen(PS_SOLID, std::max(2, size / 6), ToColorRef(enabled ? kMarkColor : widgets::kGray)));
    if (!pen) return;
    SelectedObject selected(dc, pen.get());
    Polyline(dc, tick, 3);
}

void FlatOptionButton::DrawMark(HDC dc, const RECT& box, bool enabled, bool held) {
    // The parent shows through around the circle.
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SetDCBrushColor(dc, ToColorRef(BoxFill(enabled, held, MouseOver())));
    SetDCPenColor(dc, ToColorRef(enabled ? widgets::kBlack : widgets::kGray));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (!IsChecked()) return;
    const int inset = (box.right - box.left) * 4 / 13;
    SetDCBrushColor(dc, ToColorRef(enabled ? kMarkColor : widgets::kGray));
    SetDCPenColor(dc, ToColorRef(enabled ? kMarkColor : widgets::kGray));
    Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
}

}  // namespace keytide::win32
