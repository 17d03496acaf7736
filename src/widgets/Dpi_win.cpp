#include "widgets/Dpi_win.h"

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatLook.h"

namespace keytide::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: older Windows and Wine 8 lack the function.
GetDpiForWindowFunction GetDpiForWindowIfPresent() {
    static const GetDpiForWindowFunction function = [] {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        FARPROC address = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(address));
    }();
    return function;
}

}  // namespace

int WindowDpi(HWND window) {
    if (GetDpiForWindowFunction getDpi = GetDpiForWindowIfPresent(); getDpi != nullptr && window != nullptr) {
        if (const UINT dpi = getDpi(window); dpi != 0) return static_cast<int>(dpi);
    }
    WindowDc dc(window);
    const int dpi = dc.get() != nullptr ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

int ScaleForWindow(HWND window, int pixelsAt96) { return widgets::ScaleToDpi(pixelsAt96, WindowDpi(window)); }

}  // namespace keytide::win32
