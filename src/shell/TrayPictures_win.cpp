#include "shell/TrayPictures_win.h"

#include <algorithm>

#include "platform/Error.h"
#include "shell/TrayIconResources.h"

namespace keytide::win32 {

TrayPictures TrayPictures::Load(int count) {
    TrayPictures pictures;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Each resource holds the picture in several sizes; the one drawn for the
    // notification area's size is taken as it is, not scaled.
    const int size = GetSystemMetrics(SM_CXSMICON);
    pictures.icons_.reserve(static_cast<std::size_t>(count));
    for (int picture = 0; picture < count; ++picture) {
        UniqueHicon icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icons::TrayPictureResourceId(picture)),
                                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        if (!icon) throw KeytideError("Cannot load tray picture " + std::to_string(picture));
        pictures.icons_.push_back(std::move(icon));
    }
    return pictures;
}

HICON TrayPictures::Picture(int index) const {
    if (icons_.empty()) return nullptr;
    return icons_[static_cast<std::size_t>(std::clamp(index, 0, Count() - 1))].get();
}

}  // namespace keytide::win32
