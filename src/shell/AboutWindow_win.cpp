#include "shell/AboutWindow_win.h"

#include <cstring>
#include <string>

#include "model/Names.h"
#include "shell/ProductInfo.h"
#include "widgets/DialogKeys_win.h"
#include "widgets/Dpi_win.h"
#include "widgets/FlatLook.h"
#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

namespace {

using widgets::Rgb;

// Places in the window's client area at 96 DPI. The window is a raised panel;
// under its title strip a panel with a single-line border holds the first
// gradient, the inner panel (#0080C0, single-line border) and "Ok"; the inner
// panel holds the other three gradients and the texts.
constexpr int kClientWidth = 349;
constexpr int kClientHeight = 295;
constexpr RECT kTitleStrip{1, 1, 348, 26};
constexpr RECT kTitleBar{2, 2, 347, 26};
constexpr RECT kCloseButton{323, 4, 340, 20};  // on the title bar
constexpr RECT kLowerPanel{1, 26, 348, 294};
constexpr RECT kInnerPanel{10, 35, 339, 252};
constexpr RECT kOkButton{274, 259, 339, 284};

struct GradientPlace {
    RECT bounds;
    widgets::Color begin;
    widgets::Color end;
    widgets::GradientStyle style;
    bool sunken;
};
const std::array<GradientPlace, 4> kGradients = {{
    {{2, 27, 347, 293}, Rgb(0x00, 0x98, 0xE1), Rgb(0x6F, 0xD0, 0xFF), widgets::GradientStyle::Vertical, false},
    {{30, 44, 318, 93}, Rgb(0x00, 0x80, 0xC0), Rgb(0xC4, 0xEC, 0xFF), widgets::GradientStyle::HorizontalCenter, false},
    {{19, 108, 332, 197}, Rgb(0x00, 0x80, 0xC0), Rgb(0x42, 0xC1, 0xFF), widgets::GradientStyle::Vertical, true},
    {{47, 212, 301, 245}, Rgb(0x00, 0x80, 0xC0), Rgb(0x77, 0xD2, 0xFF), widgets::GradientStyle::HorizontalCenter, false},
}};

// The product's name twice: the black copy shows as the blue one's shadow.
constexpr RECT kNameShadow{46, 44, 302, 88};
constexpr RECT kName{44, 42, 300, 86};
constexpr POINT kVersion{283, 80};
constexpr POINT kHomePageCaption{138, 116};
constexpr POINT kMailCaption{153, 156};
// The links' designed boxes (white copies); a link's text is centred on its box.
constexpr RECT kHomePageLink{74, 131, 274, 147};
constexpr RECT kMailLink{88, 171, 258, 187};

// The window's controls and the hint areas of its links.
enum AboutControl : int { kCloseId = 100, kOkId, kHomePageHint, kMailHint };


constexpr char kCloseHint[] = "Closes this window";

}  // namespace

AboutWindow::AboutWindow(platform::ProgramStarter& shell) : shell_(shell) {}

int AboutWindow::Scale(int pixels) const { return widgets::ScaleToDpi(pixels, dpi_); }

RECT AboutWindow::Scaled(const RECT& at96) const {
    return {Scale(at96.left), Scale(at96.top), Scale(at96.right), Scale(at96.bottom)};
}

void AboutWindow::Create(std::function<void()> onClose) {
    actions_.emplace(shell_, std::move(onClose));
    {
        WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    const int width = Scale(kClientWidth);
    const int height = Scale(kClientHeight);
    CreateParams params{};
    params.className = names::kAboutWindowClass;
    params.title = names::kAboutWindowTitle;
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    params.exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    params.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    params.width = width;
    params.height = height;
    PaintedWindow::Create(params);
    dpi_ = WindowDpi(hwnd());
    CreateControls();
    EnableDialogKeys(hwnd());
}

void AboutWindow::MakeFonts() {
    nameFont_ = CreateFlatFont(FontStyle{"Arial", 37, true}, dpi_);
    versionFont_ = CreateFlatFont(FontStyle{"Arial", 11, true}, dpi_);
    captionFont_ = CreateFlatFont(FontStyle{"Arial", 13, true, true}, dpi_);
    linkFont_ = CreateFlatFont(FontStyle{"Arial", 13, true, false, true}, dpi_);
}

void AboutWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, Scale(kClientWidth), Scale(kClientHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MakeFonts();
    for (std::size_t i = 0; i < kGradients.size(); ++i) gradients_[i].Place(hwnd(), Scaled(kGradients[i].bounds));
    auto move = [](HWND window, const RECT& place) {
        MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    };
    move(titleBar_.hwnd(), Scaled(kTitleBar));
    SendMessageA(titleBar_.hwnd(), kDpiChangedAfterParent, 0, 0);
    move(close_.hwnd(), Scaled(kCloseButton));
    move(ok_.hwnd(), Scaled(kOkButton));
    close_.RefreshForDpi();
    ok_.RefreshForDpi();
    PlaceLinks();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void AboutWindow::CreateControls() {
    MakeFonts();

    for (std::size_t i = 0; i < kGradients.size(); ++i) {
        const GradientPlace& place = kGradients[i];
        gradients_[i].Place(hwnd(), Scaled(place.bounds));
        widgets::GradientPanel& gradient = gradients_[i].Properties();
        gradient.SetBeginColor(place.begin);
        gradient.SetEndColor(place.end);
        gradient.SetStyle(place.style);
        gradient.SetSunkenFrame(place.sunken);
    }

    TitleBar::Look look;
    look.centred = true;
    titleBar_.Create(hwnd(), Scaled(kTitleBar), names::kAboutWindowTitle, look);
    close_.Create(titleBar_.hwnd(), kCloseId, "X", Scaled(kCloseButton));
    close_.SetFont(FontStyle{"Arial", 13, true});
    ok_.Create(hwnd(), kOkId, "Ok", Scaled(kOkButton));
    ok_.SetFont(FontStyle{"Arial", 13, true});
    for (FlatButton* button : {&close_, &ok_}) button->SetHandCursor(true);

    PlaceLinks();
    hints_.Create(hwnd());
    hints_.Add(close_.hwnd(), kCloseHint);
    hints_.Add(ok_.hwnd(), kCloseHint);
    auto area = [](const widgets::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; };
    hints_.AddArea(kHomePageHint, area(links_.homePage), "Visit the home page of Keytide");
    hints_.AddArea(kMailHint, area(links_.mail), "Send me your comments, suggestions, wishes");
}

// Each link's white copy is as wide as its text, centred on its designed box.
void AboutWindow::PlaceLinks() {
    WindowDc screen(hwnd());
    SelectedObject font(screen.get(), linkFont_.get());
    auto place = [&](AboutLink link, const RECT& designed) {
        const std::string text = AboutLinkTarget(link);
        SIZE extent{};
        GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        const RECT box = Scaled(designed);
        const int left = (box.left + box.right - extent.cx) / 2;
        return widgets::Rect{left, box.top, left + extent.cx, box.top + std::max<int>(extent.cy, box.bottom - box.top)};
    };
    links_.homePage = place(AboutLink::HomePage, kHomePageLink);
    links_.mail = place(AboutLink::Mail, kMailLink);
}

void AboutWindow::Show() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd());
    SetFocus(ok_.hwnd());
}

std::optional<AboutLink> AboutWindow::LinkUnder(LPARAM point) const {
    return AboutLinkAt(links_, static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
}

void AboutWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // The raised window panel and the strip around the title bar.
    PaintShapes(dc, widgets::EdgeRingShapes(client.right, client.bottom, 0, widgets::kWhite, widgets::kGray));
    FillSolid(dc, Scaled(kTitleStrip), widgets::kTitleBarBlue);
    FrameSolid(dc, Scaled(kLowerPanel), widgets::kBlack);
    gradients_[0].Paint(dc);
    const RECT inner = Scaled(kInnerPanel);
    FillSolid(dc, inner, widgets::kFlatBlue);
    FrameSolid(dc, inner, widgets::kBlack);
    for (std::size_t i = 1; i < gradients_.size(); ++i) gradients_[i].Paint(dc);

    const int previousMode = SetBkMode(dc, TRANSPARENT);
    auto write = [&](HFONT font, widgets::Color color, const RECT& box, const std::string& text, UINT format) {
        SelectedObject selected(dc, font);
        SetTextColor(dc, ToColorRef(color));
        RECT area = box;
        DrawTextA(dc, text.c_str(), -1, &area, format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    };
    const UINT centred = DT_CENTER | DT_TOP;
    write(nameFont_.get(), widgets::kBlack, Scaled(kNameShadow), product::kName, centred);
    write(nameFont_.get(), widgets::kFlatBlue, Scaled(kName), product::kName, centred);
    auto at = [&](POINT point) { return RECT{Scale(point.x), Scale(point.y), Scale(point.x), Scale(point.y)}; };
    write(versionFont_.get(), widgets::kBlack, at(kVersion), product::kAboutVersion, DT_LEFT | DT_TOP);
    write(captionFont_.get(), widgets::kBlack, at(kHomePageCaption), "Home Page:", DT_LEFT | DT_TOP);
    write(captionFont_.get(), widgets::kBlack, at(kMailCaption), "E-Mail:", DT_LEFT | DT_TOP);
    for (const auto& [link, place] : {std::pair{AboutLink::HomePage, links_.homePage}, std::pair{AboutLink::Mail, links_.mail}}) {
        const std::string text = AboutLinkTarget(link);
        const RECT white{place.left, place.top, place.right, place.bottom};
        const int offset = Scale(1);
        const RECT shadow{place.left + offset, place.top + offset, place.right + offset, place.bottom + offset};
        write(linkFont_.get(), widgets::kBlack, shadow, text, DT_LEFT | DT_TOP);
        write(linkFont_.get(), widgets::kWhite, white, text, DT_LEFT | DT_TOP);
    }
    SetBkMode(dc, previousMode);
}

std::optional<LRESULT> AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (std::optional<LRESULT> reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kOkId:
        case kCloseId:
        case IDOK:
        case IDCANCEL:
            actions_->Ok();
            break;
        default:
            break;
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(hwnd(), &cursor);
            if (AboutLinkAt(links_, cursor.x, cursor.y)) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
                return TRUE;
            }
        }
        return std::nullopt;
    case WM_LBUTTONDOWN:
        pressedLink_ = LinkUnder(lParam);
        return 0;
    case WM_LBUTTONUP: {
        const std::optional<AboutLink> released = LinkUnder(lParam);
        if (released && released == pressedLink_) actions_->OpenLink(*released);
        pressedLink_.reset();
        return 0;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace keytide::win32
