#include "shell/TrayPictures_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/Error.h"
#include "shell/TrayIconResources.h"

namespace keytide::win32 {

namespace {

std::vector<unsigned char> BitmapBits(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {};
    std::vector<unsigned char> bits(static_cast<std::size_t>(info.bmWidthBytes) * static_cast<std::size_t>(info.bmHeight));
    if (GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data()) == 0) return {};
    return bits;
}

// The colour and mask bits of an icon: two icons with the same bits look the same.
std::vector<unsigned char> IconBits(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    std::vector<unsigned char> bits = BitmapBits(colour.get());
    std::vector<unsigned char> maskBits = BitmapBits(mask.get());
    if (bits.empty() || maskBits.empty()) return {};
    bits.insert(bits.end(), maskBits.begin(), maskBits.end());
    return bits;
}

}  // namespace

TrayPictures TrayPictures::Load(int count) {
    TrayPictures pictures;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Each resource holds the picture in several sizes; the one drawn for the
    // notification area's size is taken as it is, not scaled.
    const int size = GetSystemMetrics(SM_CXSMICON);
    pictures.pictures_.reserve(static_cast<std::size_t>(count));
    std::vector<std::vector<unsigned char>> distinctBits;
    for (int picture = 0; picture < count; ++picture) {
        UniqueHicon icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icons::TrayPictureResourceId(picture)),
                                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        if (!icon) throw KeytideError("Cannot load tray picture " + std::to_string(picture));
        // Pictures that look alike (the animation's rest) share one icon, so
        // that a step between them changes nothing the tray must redraw.
        std::vector<unsigned char> bits = IconBits(icon.get());
        const auto same = bits.empty() ? distinctBits.end() : std::find(distinctBits.begin(), distinctBits.end(), bits);
        if (same != distinctBits.end()) {
            pictures.pictures_.push_back(pictures.icons_[static_cast<std::size_t>(same - distinctBits.begin())].get());
            continue;
        }
        pictures.pictures_.push_back(icon.get());
        pictures.icons_.push_back(std::move(icon));
        distinctBits.push_back(std::move(bits));  // empty bits match no later picture
    }
    return pictures;
}

HICON TrayPictures::Picture(int index) const {
    if (pictures_.empty()) return nullptr;
    return pictures_[static_cast<std::size_t>(std::clamp(index, 0, Count() - 1))];
}

}  // namespace keytide::win32
