#pragma once
// The About window: borderless and topmost, centred on the screen, with its
// own title bar, four gradients, the shadowed product name, the version, the
// two links (white over a black shadow; only the white copy reacts) and the
// flat "Ok" and "X". Created hidden at start-up, then only shown and hidden.
// Every way of closing it runs the close steps it was given.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>

#include "platform/ProgramStarter.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"
#include "shell/AboutWindow.h"
#include "shell/ShellPorts.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/TitleBar_win.h"

namespace keytide::win32 {

class AboutWindow final : public AboutBox, private WindowBase {
public:
    explicit AboutWindow(platform::ProgramStarter& shell);

    // onClose: the close steps (enable the editor and the tray icon's mouse,
    // hide this window). While shown, the window has a taskbar button of its own.
    void Create(std::function<void()> onClose);

    void Show() override;
    void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
    // The one answer to "is the About window up?".
    bool IsVisible() const override { return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE; }

    // Where the white copies of the links stand, in client pixels.
    const AboutLinkPlaces& LinkPlaces() const { return links_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void MakeFonts();
    // After a move to a display of another DPI: sizes, places and fonts anew.
    void ApplyDpi(int dpi, const RECT& suggested);
    void PlaceLinks();
    void Paint(HDC dc);
    std::optional<AboutLink> LinkUnder(LPARAM point) const;
    int Scale(int pixels) const;
    RECT Scaled(const RECT& at96) const;

    platform::ProgramStarter& shell_;
    std::optional<AboutActions> actions_;  // made with the window
    int dpi_ = 96;
    std::array<GradientPanelView, 4> gradients_;
    TitleBar titleBar_;
    FlatButton close_, ok_;
    FlatTooltip hints_;
    UniqueHfont nameFont_, versionFont_, captionFont_, linkFont_;
    AboutLinkPlaces links_;
    std::optional<AboutLink> pressedLink_;
};

}  // namespace keytide::win32
