#include "LabelInk.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace ktd::e2e {

namespace {

std::string boxOf(const PixelSet& pixels) {
  if (pixels.empty()) return "(empty)";
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const auto& [x, y] : pixels) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
  }
  char text[64];
  snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", left, top, right, bottom);
  return text;
}

}  // namespace

PixelSet pixelsOf(const WindowRegion& region) {
  PixelSet pixels;
  for (const RECT& r : region.rects)
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.insert({x, y});
  return pixels;
}

PixelSet labelInk(const std::string& label, const char* face, int points, bool bold, bool italic) {
  PixelSet ink;
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(points, 96, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &extent);
  HBITMAP surface = CreateCompatibleBitmap(screen, std::max(1L, extent.cx), std::max(1L, extent.cy));
  HGDIOBJ oldBitmap = SelectObject(dc, surface);
  SetBkColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, 0, 0, label.data(), static_cast<int>(label.size()));
  for (int y = 0; y < extent.cy; ++y)
    for (int x = 0; x < extent.cx; ++x)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) ink.insert({x, y});
  SelectObject(dc, oldBitmap);
  SelectObject(dc, oldFont);
  DeleteObject(surface);
  DeleteObject(font);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ink;
}

std::string describeDifference(const PixelSet& expected, const PixelSet& actual) {
  size_t missing = 0, extra = 0;
  for (const auto& pixel : expected) missing += actual.count(pixel) ? 0 : 1;
  for (const auto& pixel : actual) extra += expected.count(pixel) ? 0 : 1;
  return std::to_string(expected.size()) + " pixels expected in " + boxOf(expected) + ", " +
         std::to_string(actual.size()) + " in the region in " + boxOf(actual) + "; " + std::to_string(missing) +
         " missing, " + std::to_string(extra) + " extra";
}

size_t colorCount(const ScreenShot& shot, POINT origin, const PixelSet& pixels, std::uint32_t color) {
  size_t count = 0;
  for (const auto& [x, y] : pixels) {
    const int sx = origin.x + x, sy = origin.y + y;
    if (sx >= 0 && sy >= 0 && sx < shot.width && sy < shot.height && shot.at(sx, sy) == color) ++count;
  }
  return count;
}

}  // namespace ktd::e2e
