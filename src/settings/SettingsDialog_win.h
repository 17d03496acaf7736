#pragma once
// The settings dialog on Windows: a borderless window with its own title bar
// on the gradient background, the framed group of options, and the buttons.
// Created hidden at start-up, then only shown and hidden. The window turns
// each control change into a call on SettingsDialog, which writes it into the
// settings in force; it shows the settings whenever the dialog asks.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "settings/SettingsDialog.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatCheck_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/PaintedWindow_win.h"
#include "widgets/TitleBar_win.h"

namespace keytide::win32 {

// The clickable colour swatch: the OSD colour in a black outline. A push
// button named "Color" for a screen reader (the name is not drawn); a click,
// the space bar or Enter opens the colour dialog.
class ColorSwatch final : public FlatControl {
public:
    void Create(HWND parent, int id, const RECT& bounds) { CreateButton(parent, id, "Color", bounds, BS_PUSHBUTTON); }
    void SetColor(COLORREF color);

protected:
    void Draw(HDC dc, const RECT& rect, const ControlState& state) override;

private:
    COLORREF color_ = RGB(0, 255, 0);
};

// The system's colour dialog, owned by the settings window. It keeps the
// user's custom colours from one opening to the next.
class SystemColorChooser final : public ColorChooser {
public:
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<ColorValue> Choose(ColorValue initial) override;

private:
    HWND owner_ = nullptr;
    std::array<COLORREF, 16> customColors_{};
};

class SettingsDialogWindow final : public PaintedWindow, private SettingsDialogView {
public:
    SettingsDialogWindow(Settings& settings, const std::vector<std::string>& installedFonts, SettingsStore& store,
                         SettingsDialogHost& host, OsdPreview& preview, platform::UserMessages& messages);

    // Creates the window hidden, centred on the screen, owned by the editor,
    // which stands for both on the taskbar.
    void Create(HWND editor);

    // The editor's "Settings..." button.
    void Open() { dialog_.Open(); }

    // The controls' windows, for the keyboard and the tests.
    HWND Control(SettingsControl control) const;

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;
    // Any other close is Cancel.
    void OnCloseRequest() override { dialog_.Dismiss(); }

    void ShowValues(const Settings& settings, const std::vector<std::string>& fonts) override;
    void Show() override;
    void Hide() override;

    void CreateControls();
    template <std::size_t Count>
    HWND CreateList(int id, const widgets::Rect& bounds, const std::array<const char*, Count>& entries);
    void FillFontList(const std::vector<std::string>& names);
    void OnCommand(int id, int code, HWND from);
    int Scale(int pixels) const;
    RECT Scaled(const widgets::Rect& at96) const;

    SystemColorChooser colors_;
    SettingsDialog dialog_;
    int dpi_ = 96;

    GradientPanelView background_;
    TitleBar titleBar_;
    FlatButton close_;
    std::array<FlatCheckBox, 6> checks_;  // AutoLoad, WelcomeScreen, UseScrollLock, AnimateTray, Bold, Italic
    HWND fontList_ = nullptr;
    HWND sizeList_ = nullptr;
    HWND barStyleList_ = nullptr;
    HWND timeOutList_ = nullptr;
    ColorSwatch swatch_;
    FlatButton preview_, ok_, cancel_;
    FlatTooltip hints_;
    UniqueHfont listFont_, labelFont_, headingFont_;
    std::vector<std::string> listedFonts_;  // what the font list holds
};

}  // namespace keytide::win32
