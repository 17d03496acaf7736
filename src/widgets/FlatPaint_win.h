#pragma once
// Drawing helpers of the flat widgets: solid fills without brush objects,
// filled shapes from the portable gradient code, fonts at the window's DPI,
// flicker-free drawing through an off-screen bitmap, and the parent's
// background under a control.
#include <windows.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "widgets/Gradient.h"

namespace keytide::win32 {

// Both are 0x00BBGGRR.
inline COLORREF ToColorRef(widgets::Color color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

void FillSolid(HDC dc, const RECT& rect, widgets::Color color);
void FrameSolid(HDC dc, const RECT& rect, widgets::Color color);

// Fills the shapes in order, shifted by (originX, originY).
void PaintShapes(HDC dc, const std::vector<widgets::FilledShape>& shapes, int originX = 0, int originY = 0);

struct FontStyle {
    const char* face = "Arial";
    int pixelHeight = 11;  // character height at 96 DPI
    bool bold = true;
    bool italic = false;
    bool underline = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise
};

UniqueHfont CreateFlatFont(const FontStyle& style, int dpi);

// Draws into a bitmap of the area and copies it to the target when it goes
// out of scope. Drawing uses the target's coordinates. Where no bitmap can be
// had, drawing goes straight to the target.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, const RECT& area);
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;
    ~OffscreenCanvas();

    HDC dc() const { return buffered_ ? memory_.get() : target_; }

private:
    HDC target_;
    RECT area_;
    UniqueMemoryDc memory_;
    UniqueHbitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    bool buffered_ = false;
};

// Answers WM_PAINT: `paint(dc)` draws the whole client area into an
// off-screen canvas, which then goes to the screen in one copy.
template <typename PaintFn>
void PaintClientOffscreen(HWND window, PaintFn&& paint) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window, &ps);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(window, &client);
    {
        OffscreenCanvas canvas(dc, client);
        paint(canvas.dc());
    }
    EndPaint(window, &ps);
}

// Paints what the control's parent shows under the control into dc (in the
// control's client coordinates), by asking the parent for WM_PRINTCLIENT.
// A parent that does not answer it leaves the dialog face colour.
void PaintParentBackground(HWND control, HDC dc);

}  // namespace keytide::win32
