#include "settings/SettingsDialog_win.h"

#include <commdlg.h>

#include <cstring>

#include "model/Error.h"
#include "model/Names.h"
#include "platform/win32/WideText.h"
#include "settings/SettingsDialogLayout.h"
#include "widgets/DialogKeys_win.h"
#include "widgets/Dpi_win.h"
#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

namespace {

using namespace settings_dialog;

const FontStyle kListFont{"Arial", 13, false};
const FontStyle kLabelFont{"Arial", 11, true};
const FontStyle kHeadingFont{"Arial", 13, true, false, true};

const widgets::Color kBackgroundBegin = widgets::Rgb(0x00, 0x98, 0xE1);
const widgets::Color kBackgroundEnd = widgets::kPaleBlue;

// The check boxes in the order of SettingsDialogWindow::checks_.
constexpr std::array<SettingsControl, 6> kCheckBoxes = {
    SettingsControl::AutoLoad, SettingsControl::WelcomeScreen, SettingsControl::UseScrollLock,
    SettingsControl::AnimateTray, SettingsControl::Bold, SettingsControl::Italic,
};

int CheckBoxSlot(SettingsControl control) {
    for (std::size_t slot = 0; slot < kCheckBoxes.size(); ++slot) {
        if (kCheckBoxes[slot] == control) return static_cast<int>(slot);
    }
    return -1;
}

// 0x80000000 + n is system colour n; the rest is 0x00BBGGRR.
COLORREF DisplayColor(ColorValue color) {
    if ((color & 0xFF000000u) == 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace

void ColorSwatch::SetColor(COLORREF color) {
    if (color == color_) return;
    color_ = color;
    Redraw();
}

void ColorSwatch::Draw(HDC dc, const RECT& rect, const ControlState& state) {
    FillSolid(dc, rect, static_cast<widgets::Color>(color_));
    FrameSolid(dc, rect, widgets::kBlack);
    if (state.focused && state.showFocus) {
        RECT focus = rect;
        InflateRect(&focus, -2, -2);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

std::optional<ColorValue> SystemColorChooser::Choose(ColorValue initial) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner_;
    choose.rgbResult = DisplayColor(initial);
    choose.lpCustColors = customColors_.data();
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&choose)) return std::nullopt;
    return static_cast<ColorValue>(choose.rgbResult & 0x00FFFFFFu);
}

SettingsDialogWindow::SettingsDialogWindow(Settings& settings, const std::vector<std::string>& installedFonts,
                                           SettingsStore& store, SettingsDialogHost& host, OsdPreview& preview,
                                           platform::UserMessages& messages)
    : dialog_(settings, installedFonts, store, SettingsDialogServices{*this, host, colors_, preview, messages}) {}

int SettingsDialogWindow::Scale(int pixels) const { return widgets::ScaleToDpi(pixels, dpi_); }

RECT SettingsDialogWindow::Scaled(const widgets::Rect& at96) const {
    return {Scale(at96.left), Scale(at96.top), Scale(at96.right), Scale(at96.bottom)};
}

void SettingsDialogWindow::Create(HWND editor) {
    {
        WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    const int width = Scale(kWindowWidth);
    const int height = Scale(kWindowHeight);
    CreateParams params{};
    params.className = names::kSettingsWindowClass;
    params.title = names::kSettingsWindowTitle;
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    params.exStyle = WS_EX_CONTROLPARENT;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    params.width = width;
    params.height = height;
    params.owner = editor;
    PaintedWindow::Create(params);
    dpi_ = WindowDpi(hwnd());
    colors_.SetOwner(hwnd());
    CreateControls();
    EnableDialogKeys(hwnd());
}

template <std::size_t Count>
HWND SettingsDialogWindow::CreateList(int id, const widgets::Rect& bounds, const std::array<const char*, Count>& entries) {
    RECT place = Scaled(bounds);
    place.bottom = place.top + Scale(kDropDownHeight);
    // Unicode lists: a font's name may lie outside the ANSI code page.
    HWND list = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                place.left, place.top, place.right - place.left, place.bottom - place.top, hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (list == nullptr) throw KeytideError("Cannot create the settings lists");
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    for (const char* entry : entries) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return list;
}

void SettingsDialogWindow::CreateControls() {
    listFont_ = CreateFlatFont(kListFont, dpi_);
    labelFont_ = CreateFlatFont(kLabelFont, dpi_);
    headingFont_ = CreateFlatFont(kHeadingFont, dpi_);

    background_.Place(hwnd(), {0, 0, Scale(kWindowWidth), Scale(kWindowHeight)});
    widgets::GradientPanel& gradient = background_.Properties();
    gradient.SetBeginColor(kBackgroundBegin);
    gradient.SetEndColor(kBackgroundEnd);
    gradient.SetStyle(widgets::GradientStyle::Vertical);
    gradient.SetSunkenFrame(true);

    titleBar_.Create(hwnd(), Scaled(kTitleBar), names::kSettingsWindowTitle);
    const RECT closeAt = Scaled(kCloseButtonOnTitleBar);
    close_.Create(titleBar_.hwnd(), kCloseId, "X", closeAt);
    close_.SetFont(FontStyle{"Arial", 13, true});
    close_.SetHandCursor(true);

    hints_.Create(hwnd());
    for (const ControlPlace& place : kControls) {
        const int id = IdOf(place.control);
        HWND window = nullptr;
        switch (KindOf(place.control)) {
        case ControlKind::CheckBox: {
            FlatCheckBox& box = checks_[static_cast<std::size_t>(CheckBoxSlot(place.control))];
            box.Create(hwnd(), id, place.caption, Scaled(place.bounds));
            window = box.hwnd();
            break;
        }
        case ControlKind::ColorSwatch:
            swatch_.Create(hwnd(), id, Scaled(place.bounds));
            swatch_.SetHandCursor(true);
            window = swatch_.hwnd();
            break;
        case ControlKind::DropDownList:
            switch (place.control) {
            case SettingsControl::Font: window = fontList_ = CreateList(id, place.bounds, std::array<const char*, 0>{}); break;
            case SettingsControl::Size: window = sizeList_ = CreateList(id, place.bounds, kSizeEntries); break;
            case SettingsControl::BarStyle:
                window = barStyleList_ = CreateList(id, place.bounds, kBarStyleEntries);
                break;
            default: window = timeOutList_ = CreateList(id, place.bounds, kTimeOutEntries); break;
            }
            break;
        }
        hints_.Add(window, place.hint);
    }

    preview_.Create(hwnd(), kPreviewId, "Preview", Scaled(kPreviewButton));
    ok_.Create(hwnd(), kOkId, "Ok", Scaled(kOkButton));
    cancel_.Create(hwnd(), kCancelId, "Cancel", Scaled(kCancelButton));
    for (FlatButton* button : {&preview_, &ok_, &cancel_}) {
        button->SetFont(FontStyle{"Arial", 13, true});
        button->SetHandCursor(true);
    }
    hints_.Add(preview_.hwnd(), kPreviewHint);
    hints_.Add(ok_.hwnd(), kSaveHint);
    hints_.Add(cancel_.hwnd(), kDiscardHint);
    hints_.Add(close_.hwnd(), kDiscardHint);
}

void SettingsDialogWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, Scale(kWindowWidth), Scale(kWindowHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The controls take the new fonts before the old ones go.
    UniqueHfont listFont = CreateFlatFont(kListFont, dpi_);
    auto move = [](HWND window, const RECT& place) {
        MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    };
    background_.Place(hwnd(), {0, 0, Scale(kWindowWidth), Scale(kWindowHeight)});
    move(titleBar_.hwnd(), Scaled(kTitleBar));
    SendMessageA(titleBar_.hwnd(), kDpiChangedAfterParent, 0, 0);
    move(close_.hwnd(), Scaled(kCloseButtonOnTitleBar));
    close_.RefreshForDpi();
    for (const ControlPlace& place : kControls) {
        RECT bounds = Scaled(place.bounds);
        HWND window = Control(place.control);
        switch (KindOf(place.control)) {
        case ControlKind::CheckBox:
            checks_[static_cast<std::size_t>(CheckBoxSlot(place.control))].RefreshForDpi();
            break;
        case ControlKind::ColorSwatch:
            swatch_.RefreshForDpi();
            break;
        case ControlKind::DropDownList:
            bounds.bottom = bounds.top + Scale(kDropDownHeight);
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), FALSE);
            break;
        }
        move(window, bounds);
    }
    const std::pair<FlatButton*, widgets::Rect> buttons[] = {
        {&preview_, kPreviewButton}, {&ok_, kOkButton}, {&cancel_, kCancelButton}};
    for (const auto& [button, place] : buttons) {
        move(button->hwnd(), Scaled(place));
        button->RefreshForDpi();
    }
    listFont_ = std::move(listFont);
    labelFont_ = CreateFlatFont(kLabelFont, dpi_);
    headingFont_ = CreateFlatFont(kHeadingFont, dpi_);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

HWND SettingsDialogWindow::Control(SettingsControl control) const {
    switch (KindOf(control)) {
    case ControlKind::CheckBox: return checks_[static_cast<std::size_t>(CheckBoxSlot(control))].hwnd();
    case ControlKind::ColorSwatch: return swatch_.hwnd();
    case ControlKind::DropDownList: break;
    }
    switch (control) {
    case SettingsControl::Font: return fontList_;
    case SettingsControl::Size: return sizeList_;
    case SettingsControl::BarStyle: return barStyleList_;
    default: return timeOutList_;
    }
}

void SettingsDialogWindow::FillFontList(const std::vector<std::string>& names) {
    if (names == listedFonts_) return;
    SendMessageA(fontList_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(fontList_, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) {
        SendMessageW(fontList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    SendMessageA(fontList_, WM_SETREDRAW, TRUE, 0);
    listedFonts_ = names;
}

void SettingsDialogWindow::ShowValues(const Settings& settings, const std::vector<std::string>& fonts) {
    FillFontList(fonts);
    for (SettingsControl control : kSettingsControls) {
        const ControlValue value = ValueOf(settings, control, fonts);
        switch (KindOf(control)) {
        case ControlKind::CheckBox:
            checks_[static_cast<std::size_t>(CheckBoxSlot(control))].SetChecked(value != 0);
            break;
        case ControlKind::DropDownList:
            SendMessageA(Control(control), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
            break;
        case ControlKind::ColorSwatch:
            swatch_.SetColor(DisplayColor(static_cast<ColorValue>(value)));
            break;
        }
    }
}

void SettingsDialogWindow::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(Control(SettingsControl::Italic));
}

void SettingsDialogWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void SettingsDialogWindow::OnCommand(int id, int code, HWND from) {
    switch (id) {
    case kOkId:
        dialog_.Confirm();
        return;
    case kCancelId:
    case kCloseId:
    case IDCANCEL:  // Esc
        dialog_.Dismiss();
        return;
    case kPreviewId:
        dialog_.Preview();
        return;
    case IDOK:  // Enter: the focused button, otherwise OK
        if (HWND focus = GetFocus(); focus != nullptr && (focus == preview_.hwnd() || focus == cancel_.hwnd() ||
                                                          focus == swatch_.hwnd() || focus == close_.hwnd())) {
            SendMessageA(focus, BM_CLICK, 0, 0);
        } else {
            dialog_.Confirm();
        }
        return;
    default:
        break;
    }
    if (id < kFirstSettingId || id >= kFirstSettingId + static_cast<int>(kSettingsControls.size())) return;
    const auto control = static_cast<SettingsControl>(id - kFirstSettingId);
    switch (KindOf(control)) {
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) dialog_.Change(control, SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        break;
    case ControlKind::DropDownList:
        if (code == CBN_SELCHANGE) dialog_.Change(control, SendMessageA(from, CB_GETCURSEL, 0, 0));
        break;
    case ControlKind::ColorSwatch:
        if (code == BN_CLICKED) {
            dialog_.ChooseOsdColor();
            SetFocus(from);  // back from the colour dialog, where a keyboard user left off
        }
        break;
    }
}

void SettingsDialogWindow::Paint(HDC dc) {
    background_.Paint(dc);
    FrameSolid(dc, Scaled(kGroupPanel), widgets::kFlatBlue);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    {
        SelectedObject font(dc, headingFont_.get());
        for (const Heading& heading : kHeadings) {
            TextOutA(dc, Scale(heading.left), Scale(heading.top), heading.text, static_cast<int>(std::strlen(heading.text)));
        }
    }
    SelectedObject font(dc, labelFont_.get());
    for (const ControlPlace& place : kControls) {
        if (KindOf(place.control) == ControlKind::CheckBox) continue;
        // The label stands left of its control, on the control's middle line.
        RECT control{};
        GetWindowRect(Control(place.control), &control);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&control), 2);
        const int middle = (control.top + control.bottom) / 2;
        RECT label{Scale(24), middle - Scale(8), control.left - Scale(4), middle + Scale(8)};
        DrawTextA(dc, place.caption, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    SetBkMode(dc, previousMode);
}

std::optional<LRESULT> SettingsDialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
    if (message != WM_COMMAND) return std::nullopt;
    OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    return 0;
}

}  // namespace keytide::win32
