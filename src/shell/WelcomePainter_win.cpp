#include "shell/WelcomePainter_win.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "widgets/FlatPaint_win.h"

namespace keytide::win32 {

namespace {

constexpr int kSupersampling = 3;

struct Dib {
    UniqueHbitmap bitmap;
    std::uint32_t* pixels = nullptr;  // 0x00RRGGBB, top-down
    int width = 0;
    int height = 0;
};

Dib MakeDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Dib dib;
    dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.bitmap) return {};
    dib.pixels = static_cast<std::uint32_t*>(bits);
    dib.width = width;
    dib.height = height;
    return dib;
}

widgets::Color Blend(widgets::Color from, widgets::Color to, double share) {
    auto channel = [&](unsigned a, unsigned b) {
        return static_cast<unsigned>(std::lround(a + (static_cast<double>(b) - a) * share));
    };
    return widgets::Rgb(channel(widgets::RedOf(from), widgets::RedOf(to)),
                        channel(widgets::GreenOf(from), widgets::GreenOf(to)),
                        channel(widgets::BlueOf(from), widgets::BlueOf(to)));
}

class ShapePainter {
public:
    ShapePainter(HDC dc, Dib& dib, double scale) : dc_(dc), dib_(dib), scale_(scale) {}

    void Paint(const welcome::Shape& shape) {
        if (shape.opacity < 255) {
            PaintTranslucent(shape);
            return;
        }
        switch (shape.kind) {
        case welcome::ShapeKind::Text:
            PaintText(shape);
            return;
        case welcome::ShapeKind::Polyline:
            Outline(shape);
            return;
        default:
            break;
        }
        if (shape.filled) {
            UniqueHrgn area = Region(shape);
            if (area) {
                SelectClipRgn(dc_, area.get());
                FillBlend(shape);
                SelectClipRgn(dc_, nullptr);
            }
        }
        if (shape.outlineWidth > 0) Outline(shape);
    }

private:
    int At(double units) const { return static_cast<int>(std::lround(units * scale_)); }
    RECT Scaled(const welcome::Box& box) const { return {At(box.left), At(box.top), At(box.right), At(box.bottom)}; }
    std::vector<POINT> ScaledPoints(const std::vector<welcome::Point>& points) const {
        std::vector<POINT> scaled;
        for (const welcome::Point& point : points) scaled.push_back({At(point.x), At(point.y)});
        return scaled;
    }

    UniqueHrgn Region(const welcome::Shape& shape) const {
        const RECT box = Scaled(shape.box);
        switch (shape.kind) {
        case welcome::ShapeKind::Ellipse:
            return UniqueHrgn(CreateEllipticRgn(box.left, box.top, box.right + 1, box.bottom + 1));
        case welcome::ShapeKind::Polygon: {
            const std::vector<POINT> points = ScaledPoints(shape.points);
            return UniqueHrgn(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
        }
        default:
            if (shape.cornerRadius <= 0) return UniqueHrgn(CreateRectRgn(box.left, box.top, box.right, box.bottom));
            const int diameter = At(shape.cornerRadius * 2);
            return UniqueHrgn(
                CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, diameter, diameter));
        }
    }

    // Row by row from fillTop to fillBottom over the shape's height.
    void FillBlend(const welcome::Shape& shape) {
        RECT box = Scaled(shape.box);
        if (shape.kind == welcome::ShapeKind::Polygon) {
            // A polygon's box is that of its points.
            box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
            for (const POINT& point : ScaledPoints(shape.points)) {
                box.left = std::min(box.left, point.x);
                box.top = std::min(box.top, point.y);
                box.right = std::max(box.right, point.x + 1);
                box.bottom = std::max(box.bottom, point.y + 1);
            }
        }
        if (shape.fillTop == shape.fillBottom) {
            FillSolid(dc_, box, shape.fillTop);
            return;
        }
        const int rows = std::max(1L, box.bottom - box.top);
        for (int row = 0; row < rows; ++row) {
            const double share = rows > 1 ? static_cast<double>(row) / (rows - 1) : 0.0;
            const RECT line{box.left, box.top + row, box.right, box.top + row + 1};
            FillSolid(dc_, line, Blend(shape.fillTop, shape.fillBottom, share));
        }
    }

    void Outline(const welcome::Shape& shape) {
        UniqueHpen pen(CreatePen(PS_SOLID, std::max(1, At(shape.outlineWidth)), ToColorRef(shape.outline)));
        SelectedObject selectedPen(dc_, pen.get());
        SelectedObject brush(dc_, GetStockObject(NULL_BRUSH));
        const RECT box = Scaled(shape.box);
        switch (shape.kind) {
        case welcome::ShapeKind::Ellipse:
            Ellipse(dc_, box.left, box.top, box.right, box.bottom);
            break;
        case welcome::ShapeKind::Polygon: {
            const std::vector<POINT> points = ScaledPoints(shape.points);
            ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
            break;
        }
        case welcome::ShapeKind::Polyline: {
            const std::vector<POINT> points = ScaledPoints(shape.points);
            ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
            break;
        }
        default: {
            const int diameter = At(shape.cornerRadius * 2);
            RoundRect(dc_, box.left, box.top, box.right, box.bottom, diameter, diameter);
            break;
        }
        }
    }

    void PaintText(const welcome::Shape& shape) {
        LOGFONTA logFont{};
        logFont.lfHeight = -At(shape.textHeight);
        logFont.lfWeight = shape.bold ? FW_BOLD : FW_NORMAL;
        logFont.lfCharSet = DEFAULT_CHARSET;
        logFont.lfQuality = ANTIALIASED_QUALITY;
        std::strncpy(logFont.lfFaceName, "Arial", LF_FACESIZE - 1);
        UniqueHfont font(CreateFontIndirectA(&logFont));
        SelectedObject selected(dc_, font.get());
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, ToColorRef(shape.fillTop));
        RECT box = Scaled(shape.box);
        const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP |
                            (shape.centred ? DT_CENTER | DT_VCENTER : DT_LEFT | DT_TOP);
        DrawTextA(dc_, shape.text.c_str(), -1, &box, format);
    }

    // Only plain rectangles are see-through: blended into the pixels.
    void PaintTranslucent(const welcome::Shape& shape) {
        GdiFlush();
        const RECT box = Scaled(shape.box);
        const double share = shape.opacity / 255.0;
        for (LONG y = std::max(0L, box.top); y < std::min<LONG>(dib_.height, box.bottom); ++y) {
            for (LONG x = std::max(0L, box.left); x < std::min<LONG>(dib_.width, box.right); ++x) {
                std::uint32_t& pixel = dib_.pixels[static_cast<std::size_t>(y) * dib_.width + x];
                // DIB pixels are 0x00RRGGBB, colours 0x00BBGGRR.
                const widgets::Color under = widgets::Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
                const widgets::Color mixed = Blend(under, shape.fillTop, share);
                pixel = (widgets::RedOf(mixed) << 16) | (widgets::GreenOf(mixed) << 8) | widgets::BlueOf(mixed);
            }
        }
    }

    HDC dc_;
    Dib& dib_;
    double scale_;
};

// Each target pixel is the mean of its factor x factor source pixels.
void AverageDown(const Dib& source, Dib& target, int factor) {
    for (int y = 0; y < target.height; ++y) {
        for (int x = 0; x < target.width; ++x) {
            unsigned red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < factor; ++sy) {
                const std::uint32_t* row =
                    source.pixels + static_cast<std::size_t>(y * factor + sy) * source.width + x * factor;
                for (int sx = 0; sx < factor; ++sx) {
                    red += (row[sx] >> 16) & 0xFF;
                    green += (row[sx] >> 8) & 0xFF;
                    blue += row[sx] & 0xFF;
                }
            }
            const unsigned count = static_cast<unsigned>(factor * factor);
            target.pixels[static_cast<std::size_t>(y) * target.width + x] =
                ((red + count / 2) / count << 16) | ((green + count / 2) / count << 8) | (blue + count / 2) / count;
        }
    }
}

}  // namespace

UniqueHbitmap PaintWelcomePicture(const welcome::Picture& picture, int width, int height) {
    Dib large = MakeDib(width * kSupersampling, height * kSupersampling);
    Dib result = MakeDib(width, height);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!large.bitmap || !result.bitmap || !dc) return {};
    {
        SelectedObject bitmap(dc.get(), large.bitmap.get());
        ShapePainter painter(dc.get(), large, static_cast<double>(large.width) / welcome::kCanvasWidth);
        for (const welcome::Shape& shape : picture.shapes) painter.Paint(shape);
        GdiFlush();
    }
    AverageDown(large, result, kSupersampling);
    return std::move(result.bitmap);
}

}  // namespace keytide::win32
