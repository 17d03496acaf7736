#include "shell/TrayPictures_win.h"

#include <algorithm>
#include <cstdint>

#include "core/MainController.h"
#include "platform/Error.h"

namespace keytide::win32 {

namespace {

// Stand-in pictures drawn at run time until the program carries its own:
// a small keypad, a light running over its keys while active (0 .. 88), all
// keys lit for the still active picture (10), grey when inactive (89).
constexpr std::uint32_t kFrame = 0xFF1E3A5Au;
constexpr std::uint32_t kKey = 0xFF9FB4C8u;
constexpr std::uint32_t kLitKey = 0xFF37C8FFu;
constexpr std::uint32_t kGreyFrame = 0xFF6E6E6Eu;
constexpr std::uint32_t kGreyKey = 0xFFB4B4B4u;

void DrawKeypad(std::uint32_t* pixels, int size, int picture) {
    const bool inactive = picture == kTrayInactiveIcon;
    std::fill(pixels, pixels + size * size, inactive ? kGreyFrame : kFrame);
    const int cell = size / 3;
    const int gap = std::max(1, size / 16);
    const int offset = (size - 3 * cell) / 2;
    for (int key = 0; key < 9; ++key) {
        bool lit = false;
        if (picture == kTrayStillActiveIcon) {
            lit = true;
        } else if (!inactive) {
            lit = key == picture % 9;
        }
        const std::uint32_t colour = inactive ? kGreyKey : lit ? kLitKey : kKey;
        const int left = offset + (key % 3) * cell + gap;
        const int top = offset + (key / 3) * cell + gap;
        for (int y = top; y < top + cell - 2 * gap + 1 && y < size; ++y) {
            for (int x = left; x < left + cell - 2 * gap + 1 && x < size; ++x) pixels[y * size + x] = colour;
        }
    }
}

UniqueHicon MakePicture(int size, int picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHbitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueHbitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (!colour || !mask || bits == nullptr) throw KeytideError("Cannot draw the tray pictures");
    GdiFlush();
    DrawKeypad(static_cast<std::uint32_t*>(bits), size, picture);

    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmColor = colour.get();
    icon.hbmMask = mask.get();
    // The icon keeps copies of both bitmaps; ours go with this scope.
    UniqueHicon made(CreateIconIndirect(&icon));
    if (!made) throw KeytideError("Cannot draw the tray pictures");
    return made;
}

}  // namespace

TrayPictures TrayPictures::Make(int count) {
    TrayPictures pictures;
    const int size = GetSystemMetrics(SM_CXSMICON);
    pictures.icons_.reserve(static_cast<std::size_t>(count));
    for (int picture = 0; picture < count; ++picture) pictures.icons_.push_back(MakePicture(size, picture));
    return pictures;
}

HICON TrayPictures::Picture(int index) const {
    if (icons_.empty()) return nullptr;
    return icons_[static_cast<std::size_t>(std::clamp(index, 0, Count() - 1))].get();
}

}  // namespace keytide::win32
