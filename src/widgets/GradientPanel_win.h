#pragma once
// A gradient panel on Windows: it has no window of its own and paints into
// its parent's client area, at the bounds the parent gives it. The finished
// picture is kept in a bitmap; a paint redraws it only after a change of size
// or of a property, otherwise it is one BitBlt.
//
// The parent paints its panels from WM_PAINT and from WM_PRINTCLIENT (flat
// check boxes ask for the latter to show the gradient under them), and
// answers WM_ERASEBKGND with 1 where the panels cover its client area.
#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "widgets/GradientPanel.h"

namespace keytide::win32 {

class GradientPanelView {
public:
    GradientPanelView();
    // The panel's repaint listener points here: the object stays where it is.
    GradientPanelView(const GradientPanelView&) = delete;
    GradientPanelView& operator=(const GradientPanelView&) = delete;

    // The parent and the panel's place in its client area. A new place asks
    // the parent to repaint the old and the new area.
    void Place(HWND parent, const RECT& bounds);
    const RECT& Bounds() const { return bounds_; }

    // Colours, style, steps and the sunken edge. A changed value asks the
    // parent to repaint the panel's area.
    widgets::GradientPanel& Properties() { return panel_; }
    const widgets::GradientPanel& Properties() const { return panel_; }

    // Paints the panel into a DC of the parent's client area.
    void Paint(HDC parentDc);

    // How often the picture itself has been drawn (not just copied).
    int PictureDrawCount() const { return drawCount_; }

private:
    bool DrawPicture(int width, int height);
    void InvalidateArea(const RECT& area) const;

    widgets::GradientPanel panel_;
    HWND parent_ = nullptr;
    RECT bounds_{};
    UniqueHbitmap picture_;
    SIZE pictureSize_{0, 0};
    int drawCount_ = 0;
};

}  // namespace keytide::win32
