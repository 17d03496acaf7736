#pragma once
// Writes Windows .ico files: one directory entry per picture, each picture a
// 32-bit BGRA bitmap with its 1-bit mask, the form that windres embeds as an
// ICON resource and that LoadImage reads at any size up to 256 x 256.
#include <cstdint>
#include <vector>

#include "RgbaImage.h"

namespace keytide::trayicons {

// The bytes of an .ico file holding the pictures in the order given. Throws
// std::invalid_argument for no pictures or a picture of 0 or more than 256 pixels a side.
std::vector<std::uint8_t> EncodeIcoFile(const std::vector<RgbaImage>& pictures);

}  // namespace keytide::trayicons
