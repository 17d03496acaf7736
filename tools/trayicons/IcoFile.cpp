#include "IcoFile.h"

#include <stdexcept>

namespace keytide::trayicons {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;

void PutU8(std::vector<std::uint8_t>& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    PutU8(out, value & 0xFF);
    PutU8(out, (value >> 8) & 0xFF);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// Each mask row is padded to a whole number of 32-bit words.
std::size_t MaskRowBytes(int width) { return ((static_cast<std::size_t>(width) + 31) / 32) * 4; }

std::size_t ImageBytes(const RgbaImage& picture) {
    const std::size_t colour = static_cast<std::size_t>(picture.width) * picture.height * 4;
    return kBitmapHeaderSize + colour + MaskRowBytes(picture.width) * picture.height;
}

// A DIB as icon resources hold it: the header states twice the height (colour
// rows, then mask rows), and both parts run from the bottom row up.
void PutIconBitmap(std::vector<std::uint8_t>& out, const RgbaImage& picture) {
    const std::size_t colourBytes = static_cast<std::size_t>(picture.width) * picture.height * 4;
    const std::size_t maskBytes = MaskRowBytes(picture.width) * picture.height;
    PutU32(out, kBitmapHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(picture.width));
    PutU32(out, static_cast<std::uint32_t>(picture.height * 2));
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, 0);   // BI_RGB
    PutU32(out, static_cast<std::uint32_t>(colourBytes + maskBytes));
    for (int unused = 0; unused < 4; ++unused) PutU32(out, 0);  // resolution and palette: none

    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.At(x, y);
            PutU8(out, p.b);
            PutU8(out, p.g);
            PutU8(out, p.r);
            PutU8(out, p.a);
        }
    }
    // The mask marks fully transparent pixels; with 32-bit colour Windows
    // blends by the alpha channel, older readers use the mask.
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(MaskRowBytes(picture.width), 0);
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y).a == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeIcoFile(const std::vector<RgbaImage>& pictures) {
    if (pictures.empty()) throw std::invalid_argument("an icon file needs at least one picture");
    for (const RgbaImage& picture : pictures) {
        if (picture.width < 1 || picture.width > 256 || picture.height < 1 || picture.height > 256) {
            throw std::invalid_argument("icon pictures are 1 to 256 pixels a side");
        }
    }

    std::vector<std::uint8_t> out;
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // icon, not cursor
    PutU16(out, static_cast<unsigned>(pictures.size()));

    std::size_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * pictures.size();
    for (const RgbaImage& picture : pictures) {
        PutU8(out, picture.width == 256 ? 0 : picture.width);  // 0 stands for 256
        PutU8(out, picture.height == 256 ? 0 : picture.height);
        PutU8(out, 0);   // no palette
        PutU8(out, 0);   // reserved
        PutU16(out, 1);  // planes
        PutU16(out, 32);
        PutU32(out, static_cast<std::uint32_t>(ImageBytes(picture)));
        PutU32(out, static_cast<std::uint32_t>(offset));
        offset += ImageBytes(picture);
    }
    for (const RgbaImage& picture : pictures) PutIconBitmap(out, picture);
    return out;
}

}  // namespace keytide::trayicons
