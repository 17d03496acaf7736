#pragma once
// Base of the flat controls. Each is a standard BUTTON of its true kind (push
// button, check box, radio button, push-like where it looks like a key), so
// focus, the keyboard, mnemonics, the checked state and what a screen reader
// hears come from the system; only the drawing is ours, through custom draw
// (common controls 6, from the manifest). The control's parent hands the
// notifications it gets from its flat controls back to them: every host calls
// ReflectToFlatControls first in its window procedure.
//
//   LRESULT Host::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
//       if (auto reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
//       ...
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatPaint_win.h"
#include "widgets/SelectionGroup.h"

namespace keytide::win32 {

// A window whose parent passes its notifications back to it.
class ReflectionTarget {
public:
    virtual ~ReflectionTarget() = default;
    // A value ends the parent's handling of the message; nothing lets the
    // parent go on with it (a click is seen by both).
    virtual std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    static void Attach(HWND window, ReflectionTarget* target);
    static void Detach(HWND window);
};

// WM_NOTIFY (the buttons' custom draw), WM_COMMAND, and the fields'
// WM_DRAWITEM, WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC from a flat control (or
// a flat tooltip or field) go to that control; anything else, and messages
// from other controls, give nothing.
std::optional<LRESULT> ReflectToFlatControls(UINT message, WPARAM wParam, LPARAM lParam);

// What the drawing shows of the control's state.
struct ControlState {
    bool enabled = true;
    bool held = false;  // the mouse or the space bar holds it in
    bool focused = false;
    bool showFocus = true;    // the focus rectangle, unless the keyboard cues are hidden
    bool showPrefixes = true;  // the mnemonics' underlines, likewise
};

class FlatControl : public ReflectionTarget {
public:
    FlatControl(const FlatControl&) = delete;
    FlatControl& operator=(const FlatControl&) = delete;
    ~FlatControl() override;

    HWND hwnd() const { return window_.get(); }
    int id() const { return GetDlgCtrlID(window_.get()); }

    // The hand cursor over the control (off at creation).
    void SetHandCursor(bool on) { handCursor_ = on; }
    // The caption's font, as a size at 96 DPI; made for the window's DPI.
    void SetFont(const FontStyle& style);
    // After WM_DPICHANGED: the font again, at the window's new DPI.
    void RefreshForDpi();
    // BM_GETCHECK and BM_SETCHECK: check boxes, radio buttons and toggles.
    bool IsChecked() const { return SendMessageA(window_.get(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) const {
        SendMessageA(window_.get(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

protected:
    FlatControl() = default;

    // Creates the button as a child of parent at bounds (parent client
    // coordinates), with the default font: Arial 11 px bold. kind is the
    // button's BS_ type with BS_PUSHLIKE where wanted.
    void CreateButton(HWND parent, int id, const char* caption, const RECT& bounds, DWORD kind);

    // Draws the whole control; dc is an off-screen canvas with the caption
    // font selected and a transparent text background.
    virtual void Draw(HDC dc, const RECT& rect, const ControlState& state) = 0;

    bool MouseOver() const { return mouseOver_; }
    std::string Caption() const;
    void Redraw() const;
    HFONT Font() const { return font_.get(); }

private:
    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) final;
    ControlState State() const;
    LRESULT HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR self);

    UniqueHwnd window_;
    UniqueHfont font_;
    FontStyle fontStyle_;
    bool handCursor_ = false;
    bool mouseOver_ = false;
};

// Radio buttons of which exactly one is checked once one has been chosen: the
// keypad keys, the kinds of assignment. The first member starts the group
// (WS_GROUP), and the next control after the group must start its own. The
// arrow keys move the selection through the group, going round at the ends,
// also where other controls stand between the members; only the selected
// member (the first while none is) is a tab stop.
class FlatRadioGroup {
public:
    FlatRadioGroup() = default;
    FlatRadioGroup(const FlatRadioGroup&) = delete;
    FlatRadioGroup& operator=(const FlatRadioGroup&) = delete;
    ~FlatRadioGroup();

    // The member's button must be a radio button and live as long as the
    // group; it joins unchecked.
    void Add(FlatControl& member);
    // Checks the member at `index` (in the order added) and clears the rest.
    void Select(int index);
    int Selected() const { return selection_.Selected(); }
    // The control that follows the group in the tab order starts a group of
    // its own, so that the system's radio buttons know where this one ends.
    static void EndBefore(HWND next);

private:
    int IndexOf(HWND window) const;
    LRESULT HandleMemberMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowSelection();
    static LRESULT CALLBACK MemberProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclassId, DWORD_PTR self);

    std::vector<HWND> members_;
    widgets::SelectionGroup selection_;
};

}  // namespace keytide::win32
