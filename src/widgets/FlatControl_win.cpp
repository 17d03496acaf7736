#include "widgets/FlatControl_win.h"

#include <commctrl.h>

#include <vector>

#include "model/Error.h"
#include "platform/win32/WindowBase.h"
#include "widgets/Dpi_win.h"

namespace keytide::win32 {

namespace {

constexpr char kTargetProperty[] = "Keytide.ReflectionTarget";
constexpr UINT_PTR kSubclassId = 0x4B544657;       // 'KTFW'
constexpr UINT_PTR kGroupSubclassId = 0x4B545247;  // 'KTRG'

ReflectionTarget* TargetOf(HWND window) {
    if (window == nullptr) return nullptr;
    return static_cast<ReflectionTarget*>(GetPropA(window, kTargetProperty));
}

}  // namespace

void ReflectionTarget::Attach(HWND window, ReflectionTarget* target) {
    SetPropA(window, kTargetProperty, static_cast<HANDLE>(target));
}

void ReflectionTarget::Detach(HWND window) { RemovePropA(window, kTargetProperty); }

std::optional<LRESULT> ReflectToFlatControls(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlType == ODT_COMBOBOX) {
            control = item->hwndItem;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_COMMAND:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr) control = header->hwndFrom;
        break;
    }
    default:
        return std::nullopt;
    }
    ReflectionTarget* target = TargetOf(control);
    if (target == nullptr) return std::nullopt;
    return target->OnReflected(message, wParam, lParam);
}

FlatControl::~FlatControl() {
    if (HWND window = window_.get()) {
        RemoveWindowSubclass(window, &SubclassProcedure, kSubclassId);
        Detach(window);
    }
}

void FlatControl::CreateButton(HWND parent, int id, const char* caption, const RECT& bounds, DWORD kind) {
    HWND window =
        CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind,
                        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) throw KeytideError(std::string("Cannot create the button ") + caption);
    window_.reset(window);
    if (!SetWindowSubclass(window, &SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        window_.reset();
        throw KeytideError(std::string("Cannot subclass the button ") + caption);
    }
    Attach(window, this);
    SetFont(fontStyle_);
}

void FlatControl::SetFont(const FontStyle& style) {
    fontStyle_ = style;
    RefreshForDpi();
}

void FlatControl::RefreshForDpi() {
    if (!window_) return;
    UniqueHfont font = CreateFlatFont(fontStyle_, WindowDpi(window_.get()));
    if (!font) return;  // keep the font there is
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    Redraw();
}

std::string FlatControl::Caption() const {
    const int length = GetWindowTextLengthA(window_.get());
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window_.get(), text.data(), length + 1);
    return std::string(text.data());
}

void FlatControl::Redraw() const {
    if (window_) InvalidateRect(window_.get(), nullptr, FALSE);
}

std::optional<LRESULT> FlatControl::OnReflected(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return std::nullopt;
    const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (draw.hdr.code != NM_CUSTOMDRAW) return std::nullopt;
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    RECT rect{};
    GetClientRect(window_.get(), &rect);
    OffscreenCanvas canvas(draw.hdc, rect);
    SelectedObject font(canvas.dc(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(canvas.dc(), TRANSPARENT);
    Draw(canvas.dc(), rect, State());
    SetBkMode(canvas.dc(), previousMode);
    return CDRF_SKIPDEFAULT;
}

ControlState FlatControl::State() const {
    HWND window = window_.get();
    const auto hidden = static_cast<UINT>(SendMessageA(window, WM_QUERYUISTATE, 0, 0));
    ControlState state;
    state.enabled = IsWindowEnabled(window) != FALSE;
    state.held = (SendMessageA(window, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    state.focused = GetFocus() == window;
    state.showFocus = (hidden & UISF_HIDEFOCUS) == 0;
    state.showPrefixes = (hidden & UISF_HIDEACCEL) == 0;
    return state;
}

LRESULT FlatControl::HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the drawing covers everything
    case WM_LBUTTONDBLCLK:
        // Some buttons turn the second click of a double click into
        // BN_DOUBLECLICKED; here every click is a click.
        return DefSubclassProc(window, WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        if (!mouseOver_) {
            mouseOver_ = true;
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            Redraw();
        }
        break;
    case WM_MOUSELEAVE:
        mouseOver_ = false;
        Redraw();
        break;
    case WM_SETCURSOR:
        if (handCursor_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
            return TRUE;
        }
        break;
    case WM_ENABLE:
        Redraw();
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK FlatControl::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    auto* control = reinterpret_cast<FlatControl*>(self);
    if (message == WM_NCDESTROY) {
        // The parent went first and took the button with it.
        RemoveWindowSubclass(window, &SubclassProcedure, kSubclassId);
        Detach(window);
        (void)control->window_.release();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    GuardCallback([&] {
        result = control->HandleControlMessage(window, message, wParam, lParam);
        handled = true;
    });
    return handled ? result : 0;
}

FlatRadioGroup::~FlatRadioGroup() {
    for (HWND member : members_) {
        if (member != nullptr) RemoveWindowSubclass(member, &MemberProcedure, kGroupSubclassId);
    }
}

void FlatRadioGroup::Add(FlatControl& member) {
    HWND window = member.hwnd();
    if (members_.empty()) SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_GROUP);
    if (!SetWindowSubclass(window, &MemberProcedure, kGroupSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        throw KeytideError("Cannot group the buttons");
    }
    members_.push_back(window);
    selection_.Add();
    member.SetChecked(false);
    ShowSelection();
}

void FlatRadioGroup::EndBefore(HWND next) {
    SetWindowLongPtrA(next, GWL_STYLE, GetWindowLongPtrA(next, GWL_STYLE) | WS_GROUP);
}

void FlatRadioGroup::Select(int index) {
    // The member's BM_SETCHECK (below) clears the others.
    if (index >= 0 && index < static_cast<int>(members_.size()) && members_[static_cast<std::size_t>(index)] != nullptr) {
        SendMessageA(members_[static_cast<std::size_t>(index)], BM_SETCHECK, BST_CHECKED, 0);
    }
}

int FlatRadioGroup::IndexOf(HWND window) const {
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i] == window) return static_cast<int>(i);
    }
    return widgets::SelectionGroup::kNone;
}

void FlatRadioGroup::ShowSelection() {
    const int selected = selection_.Selected();
    for (std::size_t i = 0; i < members_.size(); ++i) {
        HWND member = members_[i];
        if (member == nullptr) continue;
        const bool isSelected = static_cast<int>(i) == selected;
        if (!isSelected && SendMessageA(member, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
            SendMessageA(member, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        const bool tabStop = selected == widgets::SelectionGroup::kNone ? i == 0 : isSelected;
        const LONG_PTR style = GetWindowLongPtrA(member, GWL_STYLE);
        SetWindowLongPtrA(member, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

LRESULT FlatRadioGroup::HandleMemberMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // The arrow keys stay with the group even in a dialog.
        return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        const int step = wParam == VK_LEFT || wParam == VK_UP ? -1 : wParam == VK_RIGHT || wParam == VK_DOWN ? 1 : 0;
        const int from = IndexOf(window);
        if (step == 0 || from == widgets::SelectionGroup::kNone) break;
        HWND next = members_[static_cast<std::size_t>(selection_.Neighbour(from, step))];
        if (next != nullptr && next != window) {
            SetFocus(next);
            // A click, so that the parent hears of the new choice as it would from the mouse.
            SendMessageA(next, BM_CLICK, 0, 0);
        }
        return 0;
    }
    case BM_SETCHECK: {
        // However a member gets checked (click, key, program), the others go out.
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (wParam == BST_CHECKED) {
            selection_.Select(IndexOf(window));
            ShowSelection();
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK FlatRadioGroup::MemberProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self) {
    auto* group = reinterpret_cast<FlatRadioGroup*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &MemberProcedure, kGroupSubclassId);
        if (const int index = group->IndexOf(window); index != widgets::SelectionGroup::kNone) {
            group->members_[static_cast<std::size_t>(index)] = nullptr;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    GuardCallback([&] { result = group->HandleMemberMessage(window, message, wParam, lParam); });
    return result;
}

}  // namespace keytide::win32
