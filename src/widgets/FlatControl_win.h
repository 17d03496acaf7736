#pragma once
// Base of the flat controls. Each is a standard BUTTON (BS_OWNERDRAW), so
// focus, the keyboard, mnemonics and accessibility come from the system; only
// the drawing is ours. The control's parent hands the notifications it gets
// from its flat controls back to them: every host calls
// ReflectToFlatControls first in its window procedure.
//
//   LRESULT Host::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
//       if (auto reflected = ReflectToFlatControls(message, wParam, lParam)) return *reflected;
//       ...
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatPaint_win.h"

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

// WM_DRAWITEM, WM_COMMAND, WM_NOTIFY and the fields' WM_CTLCOLOREDIT and
// WM_CTLCOLORSTATIC from a flat control (or a flat tooltip or field) go to
// that control; anything else, and messages from other controls, give nothing.
std::optional<LRESULT> ReflectToFlatControls(UINT message, WPARAM wParam, LPARAM lParam);

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

protected:
    FlatControl() = default;

    // Creates the button as a child of parent at bounds (parent client
    // coordinates), with the default font: Arial 11 px bold.
    void CreateButton(HWND parent, int id, const char* caption, const RECT& bounds, DWORD extraStyle = 0);

    // Draws the whole control; dc is an off-screen canvas with the caption
    // font selected and a transparent text background.
    virtual void Draw(HDC dc, const RECT& rect, UINT itemState) = 0;
    virtual void OnClicked() {}
    // The control's own messages before the button sees them; nothing passes
    // a message on.
    virtual std::optional<LRESULT> OnControlMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

    bool MouseOver() const { return mouseOver_; }
    std::string Caption() const;
    void Redraw() const;
    HFONT Font() const { return font_.get(); }

private:
    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) final;
    LRESULT HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR self);

    UniqueHwnd window_;
    UniqueHfont font_;
    FontStyle fontStyle_;
    bool handCursor_ = false;
    bool mouseOver_ = false;
};

}  // namespace keytide::win32
