#pragma once
// Flat check boxes and option buttons: a small white box or circle with a
// black outline and a mark in the program's blue, the caption beside it, on
// whatever the parent shows under the control (the parent answers
// WM_PRINTCLIENT; see GradientPanelView).
#include <windows.h>

#include "widgets/FlatControl_win.h"
#include "widgets/Gradient.h"

namespace keytide::win32 {

// What check boxes and option buttons share: the caption and its focus
// rectangle.
class FlatMarkButton : public FlatControl {
public:
    void SetTextColor(widgets::Color color);

protected:
    void Draw(HDC dc, const RECT& rect, const ControlState& state) override;
    // Draws the box or circle with its mark into `box`.
    virtual void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) = 0;

private:
    widgets::Color textColor_ = widgets::kBlack;
};

class FlatCheckBox final : public FlatMarkButton {
public:
    void Create(HWND parent, int id, const char* caption, const RECT& bounds) {
        CreateButton(parent, id, caption, bounds, BS_AUTOCHECKBOX);
    }

protected:
    void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) override;
};

// One of a FlatRadioGroup.
class FlatOptionButton final : public FlatMarkButton {
public:
    void Create(HWND parent, int id, const char* caption, const RECT& bounds) {
        CreateButton(parent, id, caption, bounds, BS_AUTORADIOBUTTON);
    }

protected:
    void DrawMark(HDC dc, const RECT& box, bool enabled, bool held) override;
};

}  // namespace keytide::win32
