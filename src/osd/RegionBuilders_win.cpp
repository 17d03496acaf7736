#include "osd/RegionBuilders_win.h"

#include <algorithm>
#include <cstring>

#include "model/Error.h"
#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {

constexpr COLORREF kWhiteColor = RGB(255, 255, 255);
constexpr COLORREF kBlackColor = RGB(0, 0, 0);
// Rectangles handed to the system per piece; the pieces are then united in
// pairs. Wine inserts region data one rectangle at a time (quadratic in the
// count), so one large piece would cost more than the pixel scan itself.
constexpr std::size_t kRectsPerPiece = 64;

UniqueHrgn NewRegion(HRGN region) {
    if (region == nullptr) throw KeytideError("Cannot create a window region");
    return UniqueHrgn(region);
}

UniqueHrgn EmptyRegion() { return NewRegion(CreateRectRgn(0, 0, 0, 0)); }

void Unite(HRGN target, HRGN source) {
    if (CombineRgn(target, target, source, RGN_OR) == ERROR) throw KeytideError("Cannot combine window regions");
}

UniqueHrgn RegionFromPiece(const PixelRect* first, std::size_t count) {
    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{first->left, first->top, first->right, first->bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < count; ++i) {
        const PixelRect& r = first[i];
        rects[i] = RECT{r.left, r.top, r.right, r.bottom};
        bounds.left = std::min<LONG>(bounds.left, r.left);
        bounds.right = std::max<LONG>(bounds.right, r.right);
        bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
    }
    data->rdh.rcBound = bounds;
    return NewRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

// A device context compatible with the screen.
UniqueMemoryDc ScreenCompatibleDc() {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) throw KeytideError("Cannot create a device context");
    return dc;
}

// Labels are UTF-8: ktd.ini's ANSI text is converted as it is read.
SIZE TextExtent(HDC dc, const std::string& text) {
    const std::wstring wide = Widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &extent);
    return extent;
}

void DrawBlackOnWhite(HDC dc, const std::string& text) {
    const std::wstring wide = Widen(text);
    SetBkColor(dc, kWhiteColor);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, kBlackColor);
    TextOutW(dc, 0, 0, wide.data(), static_cast<int>(wide.size()));
}

}  // namespace

ScreenSize PrimaryScreenSize() { return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

UniqueHfont CreateOsdFont(const OsdFont& request) {
    LOGFONTW font{};
    // Not the screen's LOGPIXELSY: this program is per-monitor aware and works
    // in the screen's pixels, so scaling must not enlarge the label again.
    font.lfHeight = -OsdFontPixelHeight(request.pointSize);
    font.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = request.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    const std::wstring face = Widen(request.faceName);
    face.copy(font.lfFaceName, std::size(font.lfFaceName) - 1);
    UniqueHfont handle(CreateFontIndirectW(&font));
    if (!handle) throw KeytideError("Cannot create the OSD font");
    return handle;
}

UniqueHrgn RegionFromBands(const std::vector<PixelRect>& bands) {
    if (bands.empty()) return EmptyRegion();
    std::vector<UniqueHrgn> pieces;
    for (std::size_t first = 0; first < bands.size(); first += kRectsPerPiece) {
        pieces.push_back(RegionFromPiece(&bands[first], std::min(kRectsPerPiece, bands.size() - first)));
    }
    // Unite neighbours in pairs, so that each rectangle is copied only about
    // log2(pieces) times.
    while (pieces.size() > 1) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < pieces.size(); i += 2) {
            if (i + 1 < pieces.size()) Unite(pieces[i].get(), pieces[i + 1].get());
            pieces[kept++] = std::move(pieces[i]);
        }
        pieces.resize(kept);
    }
    return std::move(pieces.front());
}

UniqueHrgn TextToRgn(const std::string& text, HFONT font, ScreenSize screen) {
    if (text.empty()) return EmptyRegion();
    UniqueMemoryDc dc = ScreenCompatibleDc();
    SelectedObject selectedFont(dc.get(), font);
    const SIZE extent = TextExtent(dc.get(), text);
    // Only the text's cell is read, and only where it lies on the screen: a
    // surface of that size holds the same pixels there as a screen-sized one.
    const int width = std::min<int>(extent.cx, screen.width);
    const int height = std::min<int>(extent.cy, screen.height);
    if (width <= 0 || height <= 0) return EmptyRegion();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHbitmap surface(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!surface || bits == nullptr) throw KeytideError("Cannot create the OSD drawing surface");
    SelectedObject selectedSurface(dc.get(), surface.get());
    DrawBlackOnWhite(dc.get(), text);
    GdiFlush();  // the pixels are read directly below

    const PixelView pixels{static_cast<const std::uint32_t*>(bits), width, height, width};
    return RegionFromBands(InkBands(pixels, extent.cx, extent.cy));
}

UniqueHrgn TextToRgnPerPixel(const std::string& text, HFONT font) {
    UniqueHrgn result = EmptyRegion();
    if (text.empty()) return result;
    const ScreenSize screen = PrimaryScreenSize();
    UniqueMemoryDc dc = ScreenCompatibleDc();
    UniqueHbitmap surface;
    {
        WindowDc screenDc(nullptr);
        surface.reset(CreateCompatibleBitmap(screenDc.get(), screen.width, screen.height));
    }
    if (!surface) throw KeytideError("Cannot create the OSD drawing surface");
    SelectedObject selectedSurface(dc.get(), surface.get());
    SelectedObject selectedPen(dc.get(), GetStockObject(WHITE_PEN));
    SelectedObject selectedBrush(dc.get(), GetStockObject(WHITE_BRUSH));
    SelectedObject selectedFont(dc.get(), font);
    DrawBlackOnWhite(dc.get(), text);
    const SIZE extent = TextExtent(dc.get(), text);
    for (int y = 0; y < extent.cy; ++y) {
        for (int x = 0; x < extent.cx; ++x) {
            if (x >= screen.width || y >= screen.height) continue;
            if (GetPixel(dc.get(), x, y) == kWhiteColor) continue;
            UniqueHrgn pixel = NewRegion(CreateRectRgn(x, y, x + 1, y + 1));
            Unite(result.get(), pixel.get());
        }
    }
    return result;
}

UniqueHrgn CreateProgressRgn(int barHeight, std::optional<BarStyle> barStyle, int screenWidth) {
    UniqueHrgn result = EmptyRegion();
    const ProgressGeometry bar = ProgressGeometryFor(barHeight);
    const SegmentShape shape = SegmentShapeFor(barStyle);
    if (shape == SegmentShape::None) return result;
    for (int left : SegmentLefts(barHeight, screenWidth)) {
        const int right = left + bar.segmentWidth;
        UniqueHrgn segment = NewRegion(
            shape == SegmentShape::Rectangle
                ? CreateRectRgn(left, 0, right, barHeight)
                : CreateRoundRectRgn(left, 0, right, barHeight, bar.segmentWidth, bar.segmentWidth));
        Unite(result.get(), segment.get());
    }
    return result;
}

}  // namespace keytide::win32
