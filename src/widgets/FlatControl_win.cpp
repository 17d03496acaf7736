#include "widgets/FlatControl_win.h"

#include <commctrl.h>

#include <vector>

#include "model/Error.h"
#include "platform/win32/WindowBase.h"
#include "widgets/Dpi_win.h"

namespace keytide::win32 {

namespace {

constexpr char kTargetProperty[] = "Keytide.ReflectionTarget";
constexpr UINT_PTR kSubclassId = 0x4B544657;  // 'KTFW'

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
        if (item != nullptr && (item->CtlType == ODT_BUTTON || item->CtlType == ODT_COMBOBOX)) {
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

void FlatControl::CreateButton(HWND parent, int id, const char* caption, const RECT& bounds, DWORD extraStyle) {
    HWND window =
        CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | extraStyle,
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

std::optional<LRESULT> FlatControl::OnReflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        OffscreenCanvas canvas(item.hDC, item.rcItem);
        SelectedObject font(canvas.dc(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        const int previousMode = SetBkMode(canvas.dc(), TRANSPARENT);
        Draw(canvas.dc(), item.rcItem, item.itemState);
        SetBkMode(canvas.dc(), previousMode);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) OnClicked();
    return std::nullopt;
}

LRESULT FlatControl::HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> own = OnControlMessage(message, wParam, lParam)) return *own;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the drawing covers everything
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button turns the second click of a double click into
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

}  // namespace keytide::win32
