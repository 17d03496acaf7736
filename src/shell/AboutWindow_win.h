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
#include "shell/AboutWindow.h"
#include "shell/ShellPorts.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/PaintedWindow_win.h"
#include "widgets/TitleBar_win.h"

namespace keytide::win32 {

class AboutWindow final : public AboutBox, private PaintedWindow {
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

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;
    // Any other close runs the close steps; the window stays, hidden.
    void OnCloseRequest() override { actions_->WindowClosed(); }

    void CreateControls();
    void MakeFonts();
    void PlaceLinks();
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
