#include "widgets/FlatPaint_win.h"

#include <cstring>

#include "widgets/FlatLook.h"

namespace keytide::win32 {

void FillSolid(HDC dc, const RECT& rect, widgets::Color color) {
    SetDCBrushColor(dc, ToColorRef(color));
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FrameSolid(HDC dc, const RECT& rect, widgets::Color color) {
    SetDCBrushColor(dc, ToColorRef(color));
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void PaintShapes(HDC dc, const std::vector<widgets::FilledShape>& shapes, int originX, int originY) {
    for (const widgets::FilledShape& shape : shapes) {
        const RECT rect{shape.bounds.left + originX, shape.bounds.top + originY, shape.bounds.right + originX,
                        shape.bounds.bottom + originY};
        FillSolid(dc, rect, shape.color);
    }
}

UniqueHfont CreateFlatFont(const FontStyle& style, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -widgets::ScaleToDpi(style.pixelHeight, dpi);
    font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style.italic ? TRUE : FALSE;
    font.lfUnderline = style.underline ? TRUE : FALSE;
    font.lfEscapement = style.escapement;
    font.lfOrientation = style.escapement;
    font.lfCharSet = DEFAULT_CHARSET;
    // Rotated text needs an outline font.
    font.lfOutPrecision = style.escapement != 0 ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    std::strncpy(font.lfFaceName, style.face, LF_FACESIZE - 1);
    return UniqueHfont(CreateFontIndirectA(&font));
}

OffscreenCanvas::OffscreenCanvas(HDC target, const RECT& area) : target_(target), area_(area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    memory_.reset(CreateCompatibleDC(target));
    // Compatible with the screen: the target may itself be a memory DC.
    WindowDc screen(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory_ || !bitmap_) return;
    previousBitmap_ = SelectObject(memory_.get(), bitmap_.get());
    SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
    // Text drawn into the buffer looks as it would on the target.
    SelectObject(memory_.get(), GetCurrentObject(target, OBJ_FONT));
    buffered_ = true;
}

OffscreenCanvas::~OffscreenCanvas() {
    if (!buffered_) return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.get(),
           area_.left, area_.top, SRCCOPY);
    // The font belongs to the target's owner and the bitmap to us: give both back.
    SelectObject(memory_.get(), GetStockObject(SYSTEM_FONT));
    SelectObject(memory_.get(), previousBitmap_);
}

void PaintParentBackground(HWND control, HDC dc) {
    RECT client{};
    GetClientRect(control, &client);
    FillSolid(dc, client, static_cast<widgets::Color>(GetSysColor(COLOR_BTNFACE)));
    HWND parent = GetParent(control);
    if (parent == nullptr) return;
    POINT offset{0, 0};
    MapWindowPoints(control, parent, &offset, 1);
    POINT previous{};
    OffsetViewportOrgEx(dc, -offset.x, -offset.y, &previous);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace keytide::win32
