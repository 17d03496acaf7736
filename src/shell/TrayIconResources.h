#pragma once
// Icon resource ids of keytide.exe. Read by the resource compiler (through the
// generated trayicons.rc that keytide.rc includes), by the tray icon code and by
// tools/trayicons, which draws the pictures; so plain #defines, and C++ only
// outside RC_INVOKED.
//
// Every icon resource holds the sizes 16, 20, 24 and 32 pixels (the application
// icon also 40, 48, 64 and 256), so LoadImage or LoadIconMetric can pick the one
// that fits the tray at the current DPI without scaling.

// The program's own icon (Explorer, the taskbar, the Alt+Tab list). Explorer
// takes the icon with the lowest id, so this one stays the lowest.
#define KEYTIDE_ICON_APPLICATION 1

// Tray picture N, 0 to KEYTIDE_TRAY_PICTURE_COUNT - 1, is the icon resource
// KEYTIDE_ICON_TRAY_FIRST + N.
#define KEYTIDE_ICON_TRAY_FIRST 100
#define KEYTIDE_TRAY_PICTURE_COUNT 90

#ifndef RC_INVOKED
namespace keytide::icons {

inline constexpr int kApplicationIconId = KEYTIDE_ICON_APPLICATION;
inline constexpr int kTrayPictureCount = KEYTIDE_TRAY_PICTURE_COUNT;

// The resource id of tray picture `picture`; give it to MAKEINTRESOURCEW.
constexpr int TrayPictureResourceId(int picture) { return KEYTIDE_ICON_TRAY_FIRST + picture; }

}  // namespace keytide::icons
#endif
