#include "osd/OnScreenDisplay_win.h"

#include <utility>

#include "platform/Names.h"
#include "osd/RegionBuilders_win.h"

namespace keytide::win32 {

namespace {
constexpr int kProgressWindowDesignWidth = 400;

std::uint32_t SystemColor(int index) { return GetSysColor(index); }
}  // namespace

Win32OsdWindows::Win32OsdWindows(OsdShapeWindow& text, OsdShapeWindow& progress, HWND applicationWindow)
    : text_(text), progress_(progress), applicationWindow_(applicationWindow) {}

bool Win32OsdWindows::IsVisible(OsdWindow window) const { return IsWindowVisible(Window(window).hwnd()) != FALSE; }

void Win32OsdWindows::ShapeText(const std::string& label, const OsdFont& font, ScreenSize screen) {
    UniqueHfont osdFont = CreateOsdFont(font);
    text_.SetShape(TextToRgn(label, osdFont.get(), screen));
}

void Win32OsdWindows::ShapeProgress(int barHeight, int barStyle, int screenWidth) {
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

void Win32OsdWindows::Show(OsdWindow window) { ShowWindow(Window(window).hwnd(), SW_SHOWNOACTIVATE); }

void Win32OsdWindows::Hide(OsdWindow window) { ShowWindow(Window(window).hwnd(), SW_HIDE); }

void Win32OsdWindows::BringToTop(OsdWindow window) {
    SetWindowPos(Window(window).hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Win32OsdWindows::PaintNow(OsdWindow window) {
    UpdateWindow(Window(window).hwnd());
    GdiFlush();
}

void Win32OsdWindows::HideApplicationWindow() { ShowWindow(applicationWindow_, SW_HIDE); }

void MainWindowOsdTimer::Start() {
    if (window_ != nullptr) window_->StartTimer(id_, intervalMs_);
}

void MainWindowOsdTimer::Stop() {
    if (window_ != nullptr) window_->StopTimer(id_);
}

void Win32PreviewHost::SetBusyCursor(bool busy) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

void Win32PreviewHost::Block(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

OnScreenDisplay::OnScreenDisplay(const Settings& settings, MasterVolume& volume,
                                 HWND applicationWindow, std::function<bool()> isAboutVisible)
    : applicationWindow_(applicationWindow),
      windows_(textWindow_, progressWindow_, applicationWindow),
      keptOnTop_(windows_, keepOnTopTimer_),
      controller_(OsdServices{keptOnTop_, timer_, host_, volume, monitors_}, settings, std::move(isAboutVisible)) {}

void OnScreenDisplay::Create(MainWindow& mainWindow) {
    textWindow_.Create(names::kOsdTextWindowClass, kTextWindowDesignWidth, kTextWindowDesignHeight,
                       applicationWindow_);
    progressWindow_.Create(names::kOsdProgressWindowClass, kProgressWindowDesignWidth, kProgressWindowHeight,
                           applicationWindow_);
    timer_.Bind(mainWindow);
    keepOnTopTimer_.Bind(mainWindow);
    mainWindow.SetTimerHandler(kOsdTimerId, [this] { controller_.OnTimeOutTick(); });
    mainWindow.SetTimerHandler(kOnTopTimerId, [this] { controller_.OnKeepOnTopTick(); });
}

}  // namespace keytide::win32
