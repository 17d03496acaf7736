#pragma once
// The DPI a window is shown at, for sizes given at 96 DPI.
#include <windows.h>

namespace keytide::win32 {

// The DPI messages, which the headers declare only for Windows 8.1 and later
// (the program builds for Windows 7).
inline constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT

// GetDpiForWindow where user32 has it (Windows 10 1607 and later); otherwise,
// and for a window it does not know, the vertical pixels per inch of the
// window's display context; 96 when even that is not to be had.
int WindowDpi(HWND window);

// Pixels at 96 DPI as pixels in this window.
int ScaleForWindow(HWND window, int pixelsAt96);

}  // namespace keytide::win32
