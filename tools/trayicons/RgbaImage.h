#pragma once
// A small picture in 8-bit RGBA with straight (not premultiplied) alpha, rows
// from the top; what the icon drawing produces and the .ico writer takes.
#include <cstdint>
#include <vector>

namespace keytide::trayicons {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;  // width * height, row by row from the top

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

    Rgba& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace keytide::trayicons
