#pragma once
// The assignment editor's window ("Tktdform"): the controls, their places at
// the window's DPI, the gradient background and the title bar. It shows what
// the editor tells it to and hands the user's actions to the editor. While it
// is shown it has a taskbar button of its own, through which a minimized
// editor comes back; hidden, the program shows none.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "editor/Editor.h"
#include "editor/EditorPorts.h"
#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatCheck_win.h"
#include "widgets/FlatField_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/PaintedWindow_win.h"
#include "widgets/TitleBar_win.h"

namespace keytide::win32 {

class EditorWindow final : public EditorDisplay, private PaintedWindow {
public:
    // The window, hidden and still empty. It is the program's first window:
    // a second copy recognises a running one by its class and title.
    void Create(HICON programIcon);
    HWND hwnd() const { return WindowBase::hwnd(); }

    // Builds the controls for the editor, and sizes and centres the window
    // for its DPI.
    void Build(AssignmentEditor& editor);
    // The "?" button: opens the help menu at a point on the screen.
    void SetHelpMenuHandler(std::function<void(POINT)> handler) { openHelpMenu_ = std::move(handler); }
    // Messages that a menu opened on this window sends to its owner (the
    // owner-drawn look's WM_MEASUREITEM and WM_DRAWITEM).
    void SetMenuMessageHandler(std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> handler) {
        menuMessages_ = std::move(handler);
    }

    void ShowSelectedKey(int slot) override;
    void ShowKind(AssignmentKind kind) override;
    void ShowAction(int index) override;
    void ShowFileName(const std::string& text) override;
    void ShowAddress(const std::string& text) override;
    void ShowLabel(const std::string& text) override;
    void ShowSwitches(bool active, bool osd) override;
    void Show() override;
    void Hide() override;
    void SetEnabled(bool enabled) override;

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    void OnDpiChanged(int dpi, const RECT& suggested) override { ApplyDpi(dpi, &suggested); }
    // Any way of closing the window is its Cancel.
    void OnCloseRequest() override;
    void CreateControls();
    void LayOut();
    void ApplyDpi(int dpi, const RECT* suggested);
    bool OnCommand(int id, int code);
    void ShowActionHint(int index);
    void OnActivate(bool active, bool minimized);
    RECT Bounds(int id) const;
    int Scale(int pixels) const;

    AssignmentEditor* editor_ = nullptr;
    std::function<void(POINT)> openHelpMenu_;
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> menuMessages_;
    int dpi_ = 96;
    // Set while the editor fills the fields: their change notices are not the user's.
    bool filling_ = false;
    HWND lastFocus_ = nullptr;

    GradientPanelView background_;
    TitleBar titleBar_;
    FlatButton helpButton_, minimizeButton_, closeButton_;
    std::array<FlatToggleButton, 15> keys_;
    FlatRadioGroup keypad_;
    FlatButton numLockLabel_, enterLabel_;
    FlatToggleButton activeButton_, osdButton_;
    FlatOptionButton actionOption_, runFileOption_, addressOption_;
    FlatRadioGroup kinds_;
    FlatDropDownList actionList_;
    FlatEdit runFileField_, addressField_, labelField_;
    FlatButton runFileButton_, settingsButton_, okButton_, cancelButton_;
    FlatTooltip hints_;
    UniqueHfont captionFont_;
};

}  // namespace keytide::win32
