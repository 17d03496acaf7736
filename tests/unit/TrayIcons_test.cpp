// The icon generator: .ico files that Windows can read, and tray pictures
// that do their jobs (a shape with a clean edge, a seamless animation loop, a
// still picture that shows the tide, an inactive picture that looks off).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

#include "trayicons/IcoFile.h"
#include "trayicons/KeypadArt.h"

namespace keytide::trayicons {
namespace {

unsigned U16(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return U16(bytes, at) | static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16;
}

RgbaImage Filled(int width, int height, Rgba colour) {
    RgbaImage image(width, height);
    std::fill(image.pixels.begin(), image.pixels.end(), colour);
    return image;
}

TEST(IcoFileTest, DirectoryEntriesPointAtConsecutiveBitmapsThatFillTheFile) {
    const std::vector<RgbaImage> pictures = {Filled(16, 16, {1, 2, 3, 255}), Filled(20, 20, {4, 5, 6, 128}),
                                             Filled(256, 256, {7, 8, 9, 0})};
    const std::vector<std::uint8_t> file = EncodeIcoFile(pictures);
    ASSERT_EQ(U16(file, 0), 0u);
    ASSERT_EQ(U16(file, 2), 1u);  // icon
    ASSERT_EQ(U16(file, 4), 3u);

    std::size_t expectedOffset = 6 + 16 * 3;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int side = pictures[i].width;
        const std::size_t maskRow = side == 256 ? 32 : 4;  // one bit a pixel, rows padded to 32 bits
        const std::size_t bytes = 40 + static_cast<std::size_t>(side) * side * 4 + maskRow * side;
        SCOPED_TRACE(side);
        EXPECT_EQ(file.at(entry), side == 256 ? 0 : side);  // 0 stands for 256
        EXPECT_EQ(file.at(entry + 1), side == 256 ? 0 : side);
        EXPECT_EQ(U16(file, entry + 6), 32u);
        EXPECT_EQ(U32(file, entry + 8), bytes);
        ASSERT_EQ(U32(file, entry + 12), expectedOffset);
        EXPECT_EQ(U32(file, expectedOffset), 40u);            // BITMAPINFOHEADER
        EXPECT_EQ(U32(file, expectedOffset + 8), 2u * side);  // colour and mask rows
        EXPECT_EQ(U16(file, expectedOffset + 14), 32u);
        expectedOffset += bytes;
    }
    EXPECT_EQ(expectedOffset, file.size());
}

TEST(IcoFileTest, RowsRunBottomUpInBgraAndTheMaskMarksOnlyTransparentPixels) {
    RgbaImage picture = Filled(20, 2, {0, 0, 0, 255});
    picture.At(0, 0) = {10, 20, 30, 40};  // top left
    picture.At(19, 1) = {0, 0, 0, 0};     // bottom right: transparent
    const std::vector<std::uint8_t> file = EncodeIcoFile({picture});
    const std::size_t colour = 6 + 16 + 40;

    const std::size_t topRow = colour + 20 * 4;  // the second row stored is the top one
    EXPECT_EQ(file.at(topRow + 0), 30);
    EXPECT_EQ(file.at(topRow + 1), 20);
    EXPECT_EQ(file.at(topRow + 2), 10);
    EXPECT_EQ(file.at(topRow + 3), 40);

    const std::size_t mask = colour + 2 * 20 * 4;
    const std::vector<std::uint8_t> bottomMaskRow(file.begin() + mask, file.begin() + mask + 4);
    const std::vector<std::uint8_t> topMaskRow(file.begin() + mask + 4, file.begin() + mask + 8);
    EXPECT_EQ(bottomMaskRow, (std::vector<std::uint8_t>{0, 0, 0x10, 0}));  // x = 19: byte 2, bit 0x80 >> 3
    EXPECT_EQ(topMaskRow, (std::vector<std::uint8_t>{0, 0, 0, 0}));        // alpha 40 is not transparent
    EXPECT_EQ(file.size(), mask + 8);
}

TEST(IcoFileTest, RefusesWhatAnIconCannotHold) {
    EXPECT_THROW(EncodeIcoFile({}), std::invalid_argument);
    EXPECT_THROW(EncodeIcoFile({RgbaImage(257, 257)}), std::invalid_argument);
    EXPECT_THROW(EncodeIcoFile({RgbaImage(0, 16)}), std::invalid_argument);
}

// Tray pictures, each drawn once on first use.
class TrayPicturesTest : public testing::Test {
protected:
    // The animation is checked at the tray's sizes at 100 % and 200 %.
    static constexpr int kAnimationSizes[] = {16, 32};

    static const RgbaImage& Picture(int picture, int size) {
        static std::map<std::pair<int, int>, RgbaImage> drawn;
        auto found = drawn.find({picture, size});
        if (found == drawn.end()) found = drawn.emplace(std::pair{picture, size}, DrawTrayPicture(picture, size)).first;
        return found->second;
    }

    // Sum of the colour and alpha differences of all pixels.
    static double Difference(const RgbaImage& a, const RgbaImage& b) {
        double sum = 0;
        for (std::size_t i = 0; i < a.pixels.size(); ++i) {
            sum += std::abs(a.pixels[i].r - b.pixels[i].r) + std::abs(a.pixels[i].g - b.pixels[i].g) +
                   std::abs(a.pixels[i].b - b.pixels[i].b) + std::abs(a.pixels[i].a - b.pixels[i].a);
        }
        return sum;
    }

    struct Tone {
        double lightness = 0;
        double saturation = 0;
    };
    // Alpha-weighted mean lightness and saturation (HSL-like: max - min).
    static Tone MeanTone(const RgbaImage& image) {
        Tone tone;
        double weight = 0;
        for (const Rgba& p : image.pixels) {
            const double hi = std::max({p.r, p.g, p.b}) / 255.0;
            const double lo = std::min({p.r, p.g, p.b}) / 255.0;
            tone.lightness += p.a * (0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b) / 255.0;
            tone.saturation += p.a * (hi - lo);
            weight += p.a;
        }
        return {tone.lightness / weight, tone.saturation / weight};
    }
};

TEST_F(TrayPicturesTest, EachPictureIsAnOpaqueRoundedSquareOnATransparentGround) {
    for (int size : kTrayPictureSizes) {
        for (int picture : {0, 1, kStillActivePicture, kLastAnimationPicture, kInactivePicture}) {
            SCOPED_TRACE(testing::Message() << "picture " << picture << " at " << size);
            const RgbaImage& image = Picture(picture, size);
            ASSERT_EQ(image.width, size);
            ASSERT_EQ(image.height, size);
            EXPECT_LT(image.At(0, 0).a, 16);  // rounded corners: at most a trace of the curve
            EXPECT_LT(image.At(size - 1, size - 1).a, 16);
            EXPECT_EQ(image.At(size / 2, 0).a, 255);  // edges and inside fully covered
            EXPECT_EQ(image.At(0, size / 2).a, 255);
            EXPECT_EQ(image.At(size / 2, size / 2).a, 255);
        }
    }
}

TEST_F(TrayPicturesTest, AnimationRunsAndRestsAndLoopsFrom88BackTo1AsSmoothlyAsItRuns) {
    for (int size : kAnimationSizes) {
        SCOPED_TRACE(size);
        double largestStep = 0;
        int changes = 0;
        for (int picture = 1; picture < kLastAnimationPicture; ++picture) {
            const double step = Difference(Picture(picture, size), Picture(picture + 1, size));
            largestStep = std::max(largestStep, step);
            if (step > 0) ++changes;
        }
        // It moves on a fifth of the steps or more, and rests on one picture
        // for two thirds of them or more, when the tray has nothing to redraw.
        EXPECT_GT(changes, kLastAnimationPicture / 5);
        EXPECT_LT(changes, kLastAnimationPicture / 3);
        EXPECT_LE(Difference(Picture(kLastAnimationPicture, size), Picture(1, size)), largestStep);
        EXPECT_LE(Difference(Picture(0, size), Picture(1, size)), largestStep);  // and it starts at 0
    }
}

TEST_F(TrayPicturesTest, StillActivePictureShowsTheTideAtItsBrightest) {
    for (int size : kAnimationSizes) {
        SCOPED_TRACE(size);
        std::vector<double> lightness;
        for (int picture = 1; picture <= kLastAnimationPicture; ++picture) {
            lightness.push_back(MeanTone(Picture(picture, size)).lightness);
        }
        std::sort(lightness.begin(), lightness.end());
        EXPECT_GE(MeanTone(Picture(kStillActivePicture, size)).lightness, lightness[lightness.size() * 9 / 10]);
    }
}

TEST_F(TrayPicturesTest, InactivePictureIsDarkerAndGreyerThanEveryActiveOne) {
    for (int size : kAnimationSizes) {
        SCOPED_TRACE(size);
        const Tone inactive = MeanTone(Picture(kInactivePicture, size));
        EXPECT_LT(inactive.saturation, 0.02);
        for (int picture = 0; picture <= kLastAnimationPicture; ++picture) {
            const Tone active = MeanTone(Picture(picture, size));
            EXPECT_LT(inactive.lightness, active.lightness) << "picture " << picture;
            EXPECT_GT(active.saturation, inactive.saturation + 0.15) << "picture " << picture;
        }
    }
}

TEST(TrayArtTest, RefusesPicturesAndSizesItDoesNotDraw) {
    EXPECT_THROW(DrawTrayPicture(90, 16), std::invalid_argument);
    EXPECT_THROW(DrawTrayPicture(-1, 16), std::invalid_argument);
    EXPECT_THROW(DrawTrayPicture(10, 17), std::invalid_argument);
}

}  // namespace
}  // namespace keytide::trayicons
