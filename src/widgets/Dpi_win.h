#pragma once
// The DPI a window is shown at, for sizes given at 96 DPI.
#include <windows.h>

namespace keytide::win32 {

// GetDpiForWindow where user32 has it (Windows 10 1607 and later); otherwise,
// and for a window it does not know, the vertical pixels per inch of the
// window's display context; 96 when even that is not to be had.
int WindowDpi(HWND window);

// Pixels at 96 DPI as pixels in this window.
int ScaleForWindow(HWND window, int pixelsAt96);

}  // namespace keytide::win32
