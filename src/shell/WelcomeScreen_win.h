#pragma once
// The welcome screen: a borderless, topmost picture window centred on the
// screen, shown by the deferred start for three seconds. It takes no input:
// it is disabled, never activated and lets clicks through. Its picture is
// painted once, at creation, at the window's DPI.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

inline constexpr DWORD kWelcomeDisplayMs = 3000;

class WelcomeScreen final : public WindowBase {
public:
    // Creates it hidden.
    void Create();

    // Shows it on top, paints it at once, and blocks the thread for the
    // display time without handling messages.
    void ShowAndWait();
    void Hide();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    int dpi_ = 96;
    UniqueHbitmap picture_;
    UniqueHfont versionFont_;
};

}  // namespace keytide::win32
