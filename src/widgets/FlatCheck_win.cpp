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

void FlatMarkButton::Create(HWND parent, int id, const char* caption, const RECT& bounds) {
    CreateButton(parent, id, caption, bounds);
}

void FlatMarkButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Redraw();
}

void FlatMarkButton::SetTextColor(widgets::Color color) {
    textColor_ = color;
    Redraw();
}

std::optional<LRESULT> FlatMarkButton::OnControlMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == BM_GETCHECK) return checked_ ? BST_CHECKED : BST_UNCHECKED;
    if (message == BM_SETCHECK) {
        SetChecked(wParam == BST_CHECKED);
        return 0;
    }
    return std::nullopt;
}

void FlatMarkButton::Draw(HDC dc, const RECT& rect, UINT itemState) {
    PaintParentBackground(hwnd(), dc);
    const bool enabled = (itemState & ODS_DISABLED) == 0;
    const bool held = (itemState & ODS_SELECTED) != 0;

    const int size = ScaleForWindow(hwnd(), 13);
    const int top = rect.top + (rect.bottom - rect.top - size) / 2;
    const RECT box{rect.left, top, rect.left + size, top + size};
    DrawMark(dc, box, enabled, held);

    RECT text{box.right + ScaleForWindow(hwnd(), 5), rect.top, rect.right, rect.bottom};
    const std::string caption = Caption();
    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    if (itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    ::SetTextColor(dc, ToColorRef(enabled ? textColor_ : kTextDisabled));
    DrawTextA(dc, caption.c_str(), -1, &text, format);

    if ((itemState & ODS_FOCUS) != 0 && (itemState & ODS_NOFOCUSRECT) == 0) {
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

void FlatOptionButton::OnClicked() {
    if (group_ != nullptr) {
        group_->Select(groupIndex_);
    } else {
        SetChecked(true);
    }
}

std::optional<LRESULT> FlatOptionButton::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // The arrow keys stay with the group even in a dialog.
        return DefSubclassProc(hwnd(), message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (group_ == nullptr) break;
        if (wParam == VK_LEFT || wParam == VK_UP) {
            group_->MoveFrom(groupIndex_, -1);
            return 0;
        }
        if (wParam == VK_RIGHT || wParam == VK_DOWN) {
            group_->MoveFrom(groupIndex_, 1);
            return 0;
        }
        break;
    case BM_SETCHECK:
        if (group_ != nullptr && wParam == BST_CHECKED) {
            group_->Select(groupIndex_);
            return 0;
        }
        break;
    default:
        break;
    }
    return FlatMarkButton::OnControlMessage(message, wParam, lParam);
}

void FlatOptionGroup::Add(FlatOptionButton& button) {
    button.group_ = this;
    button.groupIndex_ = selection_.Add();
    button.SetChecked(false);
    members_.push_back(&button);
    Select(selection_.Selected());  // tab stops
}

void FlatOptionGroup::Select(int index) {
    selection_.Select(index);
    const int selected = selection_.Selected();
    for (int i = 0; i < static_cast<int>(members_.size()); ++i) {
        FlatOptionButton& member = *members_[i];
        member.SetChecked(i == selected);
        // The group is one tab stop: the selected member, or the first while none is.
        const bool tabStop = selected == widgets::SelectionGroup::kNone ? i == 0 : i == selected;
        const LONG_PTR style = GetWindowLongPtrA(member.hwnd(), GWL_STYLE);
        SetWindowLongPtrA(member.hwnd(), GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void FlatOptionGroup::MoveFrom(int index, int step) {
    const int next = selection_.Neighbour(index, step);
    if (next == index) return;
    HWND target = members_[static_cast<std::size_t>(next)]->hwnd();
    SetFocus(target);
    // A click, so that the parent hears of the new choice as it would from the mouse.
    SendMessageA(target, BM_CLICK, 0, 0);
}

}  // namespace keytide::win32
