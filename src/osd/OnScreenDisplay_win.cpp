#include "osd/OnScreenDisplay_win.h"

#include <utility>

#include "model/Names.h"
#include "osd/RegionBuilders_win.h"

namespace keytide::win32 {

namespace {
constexpr int kProgressWindowDesignWidth = 400;

std::uint32_t SystemColor(int index) { return GetSysColor(index); }
}  // namespace

Win32OsdWindows::Win32OsdWindows(OsdShapeWindow& text, OsdShapeWindow& progress)
    : text_(text), progress_(progress) {}

bool Win32OsdWindows::IsVisible(OsdWindow window) const { return IsWindowVisible(Window(window).hwnd()) != FALSE; }

void Win32OsdWindows::ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) {
    UniqueHfont osdFont = CreateOsdFont(font);
    text_.SetShape(TextToRgn(label, osdFont.get(), screen));
}

void Win32OsdWindows::ShapeProgress(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) {
    progress_.SetShape(CreateProgressRgn(barHeight, barStyle, screenWidth));
}

void Win32OsdWindows::SetBounds(OsdWindow window, const WindowBounds& bounds) {
    SetWindowPos(Window(window).hwnd(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32OsdWindows::SetColor(OsdWindow window, ColorValue color) {
    Window(window).SetColor(ColorToRgb(color, &SystemColor));
}

void Win32OsdWindows::Disable(OsdWindow window) { EnableWindow(Window(window).hwnd(), FALSE); }

void Win32OsdWindows::SetSpokenText(const std::string& text) {
    HWND window = text_.hwnd();
    SetWindowTextA(window, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_WINDOW, CHILDID_SELF);
}

void Win32OsdWindows::Show(OsdWindow window) {
    HWND shown = Window(window).hwnd();
    const bool wasVisible = IsWindowVisible(shown) != FALSE;
    ShowWindow(shown, SW_SHOWNOACTIVATE);
    // Only the label has something to say.
    if (window == OsdWindow::Text && !wasVisible) NotifyWinEvent(EVENT_OBJECT_SHOW, shown, OBJID_WINDOW, CHILDID_SELF);
}

void Win32OsdWindows::Hide(OsdWindow window) { ShowWindow(Window(window).hwnd(), SW_HIDE); }

void Win32OsdWindows::BringToTop(OsdWindow window) {
    SetWindowPos(Window(window).hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

OnScreenDisplay::OnScreenDisplay(const Settings& settings, MasterVolume& volume, MessageWindow& timers)
    : windows_(textWindow_, progressWindow_),
      timer_(timers),
      keepOnTopTimer_(timers),
      keptOnTop_(windows_, keepOnTopTimer_),
      controller_(OsdServices{keptOnTop_, timer_, volume, monitors_}, settings) {}

void OnScreenDisplay::Create() {
    textWindow_.Create(names::kOsdTextWindowClass, kTextWindowDesignWidth, kTextWindowDesignHeight);
    progressWindow_.Create(names::kOsdProgressWindowClass, kProgressWindowDesignWidth, kProgressWindowHeight);
}

}  // namespace keytide::win32
