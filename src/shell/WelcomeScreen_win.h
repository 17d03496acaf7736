#pragma once
// The welcome screen: a borderless, topmost picture window centred on the
// screen, shown by the deferred start for three seconds. It takes no input:
// it is disabled, never activated and lets clicks through. Its picture is
// painted once, at creation, at the window's DPI.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "widgets/PaintedWindow_win.h"

namespace keytide::win32 {

inline constexpr DWORD kWelcomeDisplayMs = 3000;

class WelcomeScreen final : public PaintedWindow {
public:
    // Creates it hidden.
    void Create();

    // Shows it on top, paints it at once, and blocks the thread for the
    // display time without handling messages.
    void ShowAndWait();
    void Hide();

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

    int dpi_ = 96;
    UniqueHbitmap picture_;
    UniqueHfont versionFont_;
};

}  // namespace keytide::win32
