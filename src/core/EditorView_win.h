#pragma once
// The assignment editor on the screen: the controls of the main window, their
// places at the window's DPI, the gradient background and the title bar. It
// shows what the editor tells it to and hands the user's actions to the
// editor; the main window passes it every message first.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/Editor.h"
#include "core/EditorPorts.h"
#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatButton_win.h"
#include "widgets/FlatCheck_win.h"
#include "widgets/FlatField_win.h"
#include "widgets/FlatTooltip_win.h"
#include "widgets/GradientPanel_win.h"
#include "widgets/TitleBar_win.h"

namespace keytide::win32 {

class EditorView final : public EditorDisplay {
public:
    EditorView() = default;
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    // Builds the controls on the host (the main window, hidden), and sizes
    // and centres the host for its DPI.
    void Create(HWND host, AssignmentEditor& editor);
    // The "?" button: opens the help menu at a point on the screen.
    void SetHelpMenuHandler(std::function<void(POINT)> handler) { openHelpMenu_ = std::move(handler); }

    // Every message of the host, before the host's own handling; a value
    // ends the host's handling.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

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
    void CreateControls();
    void LayOut();
    void ApplyDpi(int dpi, const RECT* suggested);
    void Paint(HDC dc);
    bool OnCommand(int id, int code);
    void OnActivate(bool active, bool minimized);
    RECT Bounds(int id) const;
    int Scale(int pixels) const;

    HWND host_ = nullptr;
    AssignmentEditor* editor_ = nullptr;
    std::function<void(POINT)> openHelpMenu_;
    int dpi_ = 96;
    // Set while the editor fills the fields: their change notices are not the user's.
    bool filling_ = false;
    HWND lastFocus_ = nullptr;

    GradientPanelView background_;
    TitleBar titleBar_;
    FlatButton helpButton_, minimizeButton_, closeButton_;
    std::array<FlatToggleButton, 15> keys_;
    FlatToggleGroup keypad_;
    FlatButton numLockLabel_, enterLabel_;
    FlatToggleButton activeButton_, osdButton_;
    FlatOptionButton actionOption_, runFileOption_, addressOption_;
    FlatOptionGroup kinds_;
    FlatDropDownList actionList_;
    FlatEdit runFileField_, addressField_, labelField_;
    FlatButton runFileButton_, settingsButton_, okButton_, cancelButton_;
    FlatTooltip hints_;
    UniqueHfont captionFont_;
};

}  // namespace keytide::win32
