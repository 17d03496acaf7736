#include "widgets/GradientPanel_win.h"

#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

GradientPanelView::GradientPanelView() {
    panel_.SetRepaintListener([this] { InvalidateArea(bounds_); });
}

void GradientPanelView::Place(HWND parent, const RECT& bounds) {
    if (parent == parent_ && EqualRect(&bounds, &bounds_)) return;
    InvalidateArea(bounds_);
    parent_ = parent;
    bounds_ = bounds;
    InvalidateArea(bounds_);
}

void GradientPanelView::InvalidateArea(const RECT& area) const {
    if (parent_ != nullptr && !IsRectEmpty(&area)) InvalidateRect(parent_, &area, FALSE);
}

bool GradientPanelView::DrawPicture(int width, int height) {
    if (!picture_ || pictureSize_.cx != width || pictureSize_.cy != height) {
        WindowDc screen(nullptr);
        UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
        if (!bitmap) return false;
        picture_ = std::move(bitmap);
        pictureSize_ = {width, height};
    }
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    SelectedObject selected(dc.get(), picture_.get());
    // A reused bitmap starts as black as a new one: what the style leaves
    // undrawn (steps below zero) never shows an old picture.
    PatBlt(dc.get(), 0, 0, width, height, BLACKNESS);
    PaintShapes(dc.get(), panel_.Picture(width, height));
    panel_.MarkDrawn(width, height);
    ++drawCount_;
    return true;
}

void GradientPanelView::Paint(HDC parentDc) {
    const int width = bounds_.right - bounds_.left;
    const int height = bounds_.bottom - bounds_.top;
    if (width <= 0 || height <= 0) return;
    if (panel_.NeedsRedraw(width, height) && !DrawPicture(width, height)) return;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return;
    SelectedObject selected(dc.get(), picture_.get());
    BitBlt(parentDc, bounds_.left, bounds_.top, width, height, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace keytide::win32
