#include "widgets/FlatButton_win.h"

#include "widgets/Dpi_win.h"

namespace keytide::win32 {

void FlatButton::Create(HWND parent, int id, const char* caption, const RECT& bounds) {
    CreateButton(parent, id, caption, bounds);
}

void FlatButton::SetPalette(const widgets::FlatButtonPalette& palette) {
    palette_ = palette;
    Redraw();
}

void FlatButton::Draw(HDC dc, const RECT& rect, UINT itemState) {
    const bool enabled = (itemState & ODS_DISABLED) == 0;
    const bool held = (itemState & ODS_SELECTED) != 0 || ShowsDown();
    const bool focused = (itemState & ODS_FOCUS) != 0;
    const widgets::FaceState state = widgets::FaceStateOf(enabled, held, focused, MouseOver());
    FillSolid(dc, rect, widgets::FaceColor(palette_, state));
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
    if (itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    DrawTextA(dc, caption.c_str(), -1, &text, format);

    if (focused && (itemState & ODS_NOFOCUSRECT) == 0) {
        const int inset = ScaleForWindow(hwnd(), 3);
        RECT focus{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
        if (focus.right > focus.left && focus.bottom > focus.top) {
            SetTextColor(dc, ToColorRef(palette_.text));
            SetBkColor(dc, ToColorRef(widgets::FaceColor(palette_, state)));
            DrawFocusRect(dc, &focus);
        }
    }
}

void FlatToggleButton::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    Redraw();
}

void FlatToggleButton::OnClicked() {
    if (group_ != nullptr) {
        group_->Select(groupIndex_);
    } else {
        SetDown(!down_);
    }
}

std::optional<LRESULT> FlatToggleButton::OnControlMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == BM_GETCHECK) return down_ ? BST_CHECKED : BST_UNCHECKED;
    if (message == BM_SETCHECK) {
        if (group_ != nullptr && wParam == BST_CHECKED) {
            group_->Select(groupIndex_);
        } else {
            SetDown(wParam == BST_CHECKED);
        }
        return 0;
    }
    return std::nullopt;
}

void FlatToggleGroup::Add(FlatToggleButton& button) {
    button.group_ = this;
    button.groupIndex_ = selection_.Add();
    button.SetDown(false);
    members_.push_back(&button);
}

void FlatToggleGroup::Select(int index) {
    selection_.Select(index);
    for (int i = 0; i < static_cast<int>(members_.size()); ++i) members_[i]->SetDown(i == selection_.Selected());
}

}  // namespace keytide::win32
