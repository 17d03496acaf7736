#include "widgets/FlatField_win.h"

#include <commctrl.h>

#include <algorithm>

#include "model/Error.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowBase.h"
#include "widgets/Dpi_win.h"
#include "widgets/PaintedWindow_win.h"

namespace keytide::win32 {

namespace {

constexpr UINT_PTR kFieldSubclassId = 0x4B544644;  // 'KTFD'
constexpr int kTextPadding = 3;                     // at 96 DPI, left and right of the text
constexpr int kArrowButtonWidth = 17;

// The whole window's DC, for the outline outside the client area.
class WholeWindowDc {
public:
    explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    WholeWindowDc(const WholeWindowDc&) = delete;
    WholeWindowDc& operator=(const WholeWindowDc&) = delete;
    ~WholeWindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

FlatField::~FlatField() {
    if (HWND window = window_.get()) {
        RemoveWindowSubclass(window, &SubclassProcedure, kFieldSubclassId);
        Detach(window);
    }
}

void FlatField::CreateField(const wchar_t* className, DWORD style, HWND parent, int id, const RECT& bounds) {
    // Unicode windows: the program's text is UTF-8, whatever the code page.
    HWND window = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) throw KeytideError("Cannot create the field " + Narrow(className));
    window_.reset(window);
    if (!SetWindowSubclass(window, &SubclassProcedure, kFieldSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        window_.reset();
        throw KeytideError("Cannot subclass the field " + Narrow(className));
    }
    Attach(window, this);
    FlatField::RefreshForDpi();
}

void FlatField::Place(const RECT& bounds) {
    SetWindowPos(window_.get(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FlatField::RefreshForDpi() {
    if (!window_) return;
    UniqueHfont font = CreateFlatFont(look_.font, WindowDpi(window_.get()));
    if (!font) return;  // keep the font there is
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
}

int FlatField::FontLineHeight() const {
    WindowDc dc(window_.get());
    if (dc.get() == nullptr) return 0;
    SelectedObject font(dc.get(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

LRESULT FlatField::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_.get(), message, wParam, lParam);
}

LRESULT CALLBACK FlatField::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
    auto* field = reinterpret_cast<FlatField*>(self);
    if (message == WM_NCDESTROY) {
        // The parent went first and took the field with it.
        RemoveWindowSubclass(window, &SubclassProcedure, kFieldSubclassId);
        Detach(window);
        (void)field->window_.release();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    GuardCallback([&] {
        if (std::optional<LRESULT> own = field->OnFieldMessage(message, wParam, lParam)) {
            result = *own;
        } else {
            result = DefSubclassProc(window, message, wParam, lParam);
        }
        handled = true;
    });
    return handled ? result : 0;
}

// ---------------------------------------------------------------------------

void FlatEdit::Create(HWND parent, int id, const RECT& bounds, DWORD extraStyle) {
    face_.reset(CreateSolidBrush(ToColorRef(look_.face)));
    readOnlyFace_.reset(CreateSolidBrush(ToColorRef(look_.readOnlyFace)));
    CreateField(L"EDIT", ES_AUTOHSCROLL | extraStyle, parent, id, bounds);
    RefreshForDpi();
}

std::string FlatEdit::Text() const {
    const int length = GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return Narrow(text);
}

void FlatEdit::SetText(const std::string& text) {
    if (Text() != text) SetWindowTextW(hwnd(), Widen(text).c_str());
}

void FlatEdit::LimitTyping(int characters) { SendMessageA(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0); }

void FlatEdit::RefreshForDpi() {
    FlatField::RefreshForDpi();
    const int padding = ScaleForWindow(hwnd(), kTextPadding);
    SendMessageA(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(padding, padding));
    // The text's line height decides the frame: ask for it again.
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool FlatEdit::ReadOnly() const { return (GetWindowLongPtrA(hwnd(), GWL_STYLE) & ES_READONLY) != 0; }

void FlatEdit::PaintFrame() {
    WholeWindowDc dc(hwnd());
    if (dc.get() == nullptr) return;
    RECT onScreen{};
    GetWindowRect(hwnd(), &onScreen);
    const RECT window{0, 0, onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    // Everything around the client area is ours.
    RECT client{};
    GetClientRect(hwnd(), &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd(), &origin);
    OffsetRect(&client, origin.x - onScreen.left, origin.y - onScreen.top);
    ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
    FillSolid(dc.get(), window, ReadOnly() ? look_.readOnlyFace : look_.face);
    FrameSolid(dc.get(), window, HasFocus() && !ReadOnly() ? look_.focusedOutline : look_.outline);
}

std::optional<LRESULT> FlatEdit::OnFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        // The outline is ours, one pixel all round, outside the client area:
        // a WS_BORDER edit draws its own border inside the text area under
        // Wine. The text sits in the middle of the field; the space above
        // and below it belongs to the frame.
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        InflateRect(&client, -1, -1);
        const int spare = (client.bottom - client.top) - FontLineHeight();
        if (spare > 1) {
            client.top += spare / 2;
            client.bottom -= spare - spare / 2;
        }
        return result;
    }
    case WM_NCHITTEST: {
        // A click on the margin around the text is a click in the field.
        const LRESULT hit = CallOriginal(message, wParam, lParam);
        return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        PaintFrame();
        return result;
    }
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> FlatEdit::OnReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return std::nullopt;
    HDC dc = reinterpret_cast<HDC>(wParam);
    const bool readOnly = ReadOnly();
    ::SetTextColor(dc, ToColorRef(look_.text));
    SetBkColor(dc, ToColorRef(readOnly ? look_.readOnlyFace : look_.face));
    return reinterpret_cast<LRESULT>(readOnly ? readOnlyFace_.get() : face_.get());
}

// ---------------------------------------------------------------------------

void FlatDropDownList::Create(HWND parent, int id, const RECT& bounds, int visibleEntries) {
    bounds_ = bounds;
    visibleEntries_ = std::max(visibleEntries, 1);
    CreateField(L"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, parent, id, bounds);
    SendMessageA(hwnd(), CB_SETMINVISIBLE, static_cast<WPARAM>(visibleEntries_), 0);
    Place(bounds);
}

void FlatDropDownList::SetEntries(const std::vector<std::string>& entries) {
    SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
}

void FlatDropDownList::Select(int index) {
    SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

int FlatDropDownList::Selected() const { return static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0)); }

bool FlatDropDownList::IsOpen() const { return SendMessageA(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

void FlatDropDownList::Place(const RECT& bounds) {
    bounds_ = bounds;
    // A combo box's height is its closed height plus the open list's.
    const int entryHeight = FontLineHeight() + ScaleForWindow(hwnd(), 4);
    const int listHeight = entryHeight * visibleEntries_ + 2;
    SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top + listHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    FitHeights();
}

void FlatDropDownList::FitHeights() {
    const int entryHeight = FontLineHeight() + ScaleForWindow(hwnd(), 4);
    SendMessageA(hwnd(), CB_SETITEMHEIGHT, 0, entryHeight);
    // The closed height follows the chosen entry's height plus the system's
    // edge, which differs between systems: measure it.
    // Steps on from what was asked rather than from what CB_GETITEMHEIGHT
    // answers: Wine answers two more than was set.
    const int wanted = bounds_.bottom - bounds_.top;
    LRESULT asked = SendMessageA(hwnd(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3 && asked != CB_ERR; ++attempt) {
        RECT closed{};
        GetWindowRect(hwnd(), &closed);
        const int difference = wanted - (closed.bottom - closed.top);
        if (difference == 0) break;
        asked = std::max<LRESULT>(1, asked + difference);
        SendMessageA(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FlatDropDownList::RefreshForDpi() {
    FlatField::RefreshForDpi();
    Place(bounds_);
}

std::wstring FlatDropDownList::EntryText(int index) const {
    const LRESULT length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

void FlatDropDownList::DrawEntry(HDC dc, int index, const RECT& rect, bool chosen) {
    FillSolid(dc, rect, chosen ? look_.chosenFace : look_.face);
    if (index < 0) return;
    const std::wstring text = EntryText(index);
    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(chosen ? look_.chosenText : look_.text));
    RECT area = rect;
    area.left += ScaleForWindow(hwnd(), kTextPadding);
    area.right -= ScaleForWindow(hwnd(), kTextPadding);
    DrawTextW(dc, text.c_str(), -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetBkMode(dc, previousMode);
}

void FlatDropDownList::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    const bool focused = HasFocus();
    const bool open = IsOpen();

    FillSolid(dc, client, look_.face);
    const int buttonWidth = ScaleForWindow(hwnd(), kArrowButtonWidth);
    RECT button{client.right - buttonWidth, client.top, client.right, client.bottom};
    RECT field{client.left + 2, client.top + 2, button.left - 1, client.bottom - 2};
    DrawEntry(dc, Selected(), field, focused && !open && enabled);

    const widgets::Color buttonFace =
        !enabled ? widgets::FlatButtonPalette{}.disabledFace : open ? widgets::kFlatBluePressed : widgets::kFlatBlue;
    FillSolid(dc, button, buttonFace);
    FrameSolid(dc, button, look_.outline);
    // A white arrow pointing down, in the middle of the button.
    const int half = std::max(2, ScaleForWindow(hwnd(), 4));
    const int centreX = (button.left + button.right) / 2 + (open ? 1 : 0);
    const int top = (button.top + button.bottom) / 2 - half / 2 + (open ? 1 : 0);
    for (int row = 0; row < half; ++row) {
        const RECT line{centreX - (half - row) + 1, top + row, centreX + (half - row), top + row + 1};
        FillSolid(dc, line, widgets::kWhite);
    }
    FrameSolid(dc, client, focused ? look_.focusedOutline : look_.outline);
}

std::optional<LRESULT> FlatDropDownList::OnFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> painted = AnswerPaintMessages(hwnd(), message, wParam, [this](HDC dc) { Paint(dc); })) {
        return *painted;
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CB_SETCURSEL: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        InvalidateRect(hwnd(), nullptr, FALSE);
        return result;
    }
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> FlatDropDownList::OnReflected(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // Opening and closing change the button; the parent hears of them too.
        InvalidateRect(hwnd(), nullptr, FALSE);
        return std::nullopt;
    }
    if (message != WM_DRAWITEM) return std::nullopt;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if ((item.itemState & ODS_COMBOBOXEDIT) != 0) {
        // The closed list draws itself whole, in its own paint.
        InvalidateRect(hwnd(), nullptr, FALSE);
        return TRUE;
    }
    DrawEntry(item.hDC, static_cast<int>(item.itemID), item.rcItem, (item.itemState & ODS_SELECTED) != 0);
    return TRUE;
}

}  // namespace keytide::win32
