#pragma once
// Flat push buttons and toggle buttons: a filled face in the program's blue
// with a black border and a bold caption. The face is lighter while the
// button has the focus or the mouse, darker while it is held or down.
#include <windows.h>

#include "widgets/FlatControl_win.h"
#include "widgets/FlatLook.h"

namespace keytide::win32 {

class FlatButton : public FlatControl {
public:
    FlatButton() = default;
    void Create(HWND parent, int id, const char* caption, const RECT& bounds) {
        CreateButton(parent, id, caption, bounds, BS_PUSHBUTTON);
    }
    void SetPalette(const widgets::FlatButtonPalette& palette);

protected:
    void Draw(HDC dc, const RECT& rect, const ControlState& state) override;
    // A toggle that is down looks held.
    virtual bool ShowsDown() const { return false; }

private:
    widgets::FlatButtonPalette palette_;
};

// Keeps its pressed state: a push-like check box, down while checked (a
// switch), or a push-like radio button of a FlatRadioGroup (a key of the
// keypad).
class FlatToggleButton final : public FlatButton {
public:
    void CreateSwitch(HWND parent, int id, const char* caption, const RECT& bounds) {
        CreateButton(parent, id, caption, bounds, BS_AUTOCHECKBOX | BS_PUSHLIKE);
    }
    void CreateKey(HWND parent, int id, const char* caption, const RECT& bounds) {
        CreateButton(parent, id, caption, bounds, BS_AUTORADIOBUTTON | BS_PUSHLIKE);
    }

protected:
    bool ShowsDown() const override { return IsChecked(); }
};

}  // namespace keytide::win32
