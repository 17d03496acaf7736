#include "widgets/FlatTooltip_win.h"

#include <commctrl.h>

#include <algorithm>

#include "model/Error.h"
#include "widgets/Dpi_win.h"
#include "widgets/FlatLook.h"

namespace keytide::win32 {

namespace {

const widgets::Color kHintBackground = widgets::kFlatBlue;
const widgets::Color kHintText = widgets::kWhite;
const widgets::Color kHintOutline = widgets::kBlack;

// The common controls before version 6 refuse the longer structure.
UINT ToolInfoSize() { return TTTOOLINFOA_V2_SIZE; }

// Themed tooltips ignore the colours set on them; ours are drawn flat. The
// theme library is there whenever visual styles are; without it there is no
// theme to switch off.
void SwitchOffVisualStyle(HWND window) {
    using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
    if (uxtheme == nullptr) return;
    auto setTheme =
        reinterpret_cast<SetWindowThemeFunction>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
    if (setTheme != nullptr) setTheme(window, L"", L"");
}

}  // namespace

constexpr UINT_PTR kTooltipSubclassId = 0x4B544654;  // 'KTFT'

FlatTooltip::~FlatTooltip() {
    if (HWND window = window_.get()) {
        RemoveWindowSubclass(window, &SubclassProcedure, kTooltipSubclassId);
        Detach(window);
    }
}

// Only watches for the end: the host takes its owned tooltip with it when it
// goes first, and the handle must not be destroyed a second time.
LRESULT CALLBACK FlatTooltip::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassProcedure, kTooltipSubclassId);
        Detach(window);
        (void)reinterpret_cast<FlatTooltip*>(self)->window_.release();
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void FlatTooltip::Create(HWND host) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    host_ = host;
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) throw KeytideError("Cannot create the hint window");
    window_.reset(window);
    Attach(window, this);
    SetWindowSubclass(window, &SubclassProcedure, kTooltipSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SwitchOffVisualStyle(window);
    // The tooltip gives itself a system border in the system's colour (grey
    // under Wine); the hint draws its own black outline instead. The tooltip
    // sizes its window from the style at each showing.
    SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    SendMessageA(window, TTM_SETTIPBKCOLOR, ToColorRef(kHintBackground), 0);
    SendMessageA(window, TTM_SETTIPTEXTCOLOR, ToColorRef(kHintText), 0);
    ApplyDpi();
}

void FlatTooltip::RefreshForDpi() {
    if (window_) ApplyDpi();
}

void FlatTooltip::ApplyDpi() {
    HWND window = window_.get();
    const int dpi = WindowDpi(host_);
    if (UniqueHfont font = CreateFlatFont(FontStyle{}, dpi)) {  // Arial 11 px bold
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        font_ = std::move(font);
    }
    margin_ = widgets::ScaleToDpi(3, dpi);
    RECT margins{margin_, margin_ - 1, margin_, margin_ - 1};
    SendMessageA(window, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    // Long hints wrap instead of running off the screen.
    SendMessageA(window, TTM_SETMAXTIPWIDTH, 0, widgets::ScaleToDpi(320, dpi));
}

void FlatTooltip::AddTool(UINT flags, UINT_PTR id, const RECT& area, const std::string& text) {
    texts_[id] = text;
    TTTOOLINFOA tool{};
    tool.cbSize = ToolInfoSize();
    tool.uFlags = flags;
    tool.hwnd = host_;
    tool.uId = id;
    tool.rect = area;
    tool.lpszText = const_cast<char*>(texts_[id].c_str());  // copied by the tooltip
    if (!SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        throw KeytideError("Cannot add the hint \"" + text + "\"");
    }
}

void FlatTooltip::Add(HWND control, const std::string& text) {
    AddTool(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(control), RECT{}, text);
}

void FlatTooltip::SetText(HWND control, const std::string& text) {
    const auto id = reinterpret_cast<UINT_PTR>(control);
    if (texts_.count(id) == 0) return;  // not one of ours
    texts_[id] = text;
    TTTOOLINFOA tool{};
    tool.cbSize = ToolInfoSize();
    tool.hwnd = host_;
    tool.uId = id;
    tool.lpszText = const_cast<char*>(texts_[id].c_str());
    SendMessageA(window_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void FlatTooltip::AddArea(UINT areaId, const RECT& area, const std::string& text) {
    AddTool(TTF_SUBCLASS, areaId, area, text);
}

std::string FlatTooltip::CurrentText() const {
    TTTOOLINFOA tool{};
    tool.cbSize = ToolInfoSize();
    if (!SendMessageA(window_.get(), TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) return {};
    const auto found = texts_.find(tool.uId);
    return found != texts_.end() ? found->second : std::string();
}

void FlatTooltip::PaintHint(HDC dc) {
    RECT client{};
    GetClientRect(window_.get(), &client);
    FillSolid(dc, client, kHintBackground);
    FrameSolid(dc, client, kHintOutline);

    const std::string text = CurrentText();
    if (text.empty()) return;
    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(kHintText));
    // The tooltip sized itself for this text and font; centre it in what it made.
    RECT area{client.left + margin_, client.top + 1, client.right - margin_, client.bottom - 1};
    RECT measured = area;
    const UINT format = DT_NOPREFIX | DT_WORDBREAK | DT_CENTER;
    DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    area.top += std::max(0L, (area.bottom - area.top - height) / 2);
    DrawTextA(dc, text.c_str(), -1, &area, format);
    SetBkMode(dc, previousMode);
}

std::optional<LRESULT> FlatTooltip::OnReflected(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return std::nullopt;
    auto* draw = reinterpret_cast<NMTTCUSTOMDRAW*>(lParam);
    if (draw->nmcd.hdr.code != NM_CUSTOMDRAW) return std::nullopt;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // Let the tooltip draw, then draw over all of it: Wine draws the
        // background after the pre-paint stage, so painting there would be lost.
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_POSTPAINT:
        PaintHint(draw->nmcd.hdc);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace keytide::win32
