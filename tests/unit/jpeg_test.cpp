// The logo's JPEG decoder: pictures decoded as libjpeg-turbo decodes them, within rounding, and no
// crash or wrong-sized picture from anything malformed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/test_pictures.h"
#include "ui/jpeg.h"

namespace tarnwick::testing {
namespace {

// The pixels of a binary PPM ("P6") or PGM ("P5") as red, green, blue.
std::vector<std::uint8_t> Netpbm(const std::vector<std::uint8_t>& file, int* width, int* height) {
    const std::string text(file.begin(), file.end());
    int maximum = 0;
    char kind = 0;
    int consumed = 0;
    std::sscanf(text.c_str(), "P%c %d %d %d%n", &kind, width, height, &maximum, &consumed);
    const auto data = file.begin() + consumed + 1;
    if (kind == '6') {
        return {data, file.end()};
    }
    std::vector<std::uint8_t> rgb;
    for (auto grey = data; grey != file.end(); ++grey) {
        rgb.insert(rgb.end(), 3, *grey);
    }
    return rgb;
}

TEST(Jpeg, DecodesAsLibjpegDoesWithinRounding) {
    for (const auto& [picture, reference] :
         {std::pair{"subsampled_restarts.jpg", "subsampled_restarts.ppm"},
          std::pair{"grey.jpg", "grey.pgm"}}) {
        SCOPED_TRACE(picture);
        int width = 0;
        int height = 0;
        const std::vector<std::uint8_t> expected = Netpbm(TestPicture(reference), &width, &height);
        const std::optional<RgbImage> image = DecodeJpeg(TestPicture(picture));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        ASSERT_EQ(image->rgb.size(), expected.size());
        int worst = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            worst = std::max(worst, std::abs(image->rgb[i] - expected[i]));
        }
        EXPECT_LE(worst, 2);
    }
}

TEST(Jpeg, TheLogoIsDecodedAtItsSize) {
    const std::optional<RgbImage> logo = DecodeJpeg(TestPicture("logo.jpg"));
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->width, 120);
    EXPECT_EQ(logo->height, 75);
}

TEST(Jpeg, WhatItCannotDecodeGivesNothing) {
    EXPECT_FALSE(DecodeJpeg(TestPicture("progressive.jpg")));
    EXPECT_FALSE(DecodeJpeg({}));
    const std::vector<std::uint8_t> good = TestPicture("subsampled_restarts.jpg");
    // Cut short anywhere before its end marker, or with any one byte changed: nothing read past
    // the data, and a picture only of the size the header gives.
    for (std::size_t length = 0; length + 2 < good.size(); ++length) {
        EXPECT_FALSE(DecodeJpeg(std::span(good.data(), length))) << "cut to " << length;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::vector<std::uint8_t> changed = good;
        changed[at] ^= 0x5A;
        if (const auto image = DecodeJpeg(changed)) {
            EXPECT_EQ(image->rgb.size(),
                      static_cast<std::size_t>(image->width * image->height * 3));
        }
    }
}

// A grey baseline JPEG of `blocks` 8x8 blocks in a row, each block only its average, raised by the
// largest difference (2047) from the last, with the largest 16-bit quantiser: coefficients far
// beyond any real picture's, as a damaged or hostile file may hold.
std::vector<std::uint8_t> OverBrightJpeg(int blocks) {
    std::vector<std::uint8_t> file = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x83, 0x10};  // 16-bit table 0
    for (int i = 0; i < 64; ++i) {
        file.insert(file.end(), {0xFF, 0xFF});
    }
    const int width = blocks * 8;
    file.insert(file.end(),
                {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, static_cast<std::uint8_t>(width >> 8),
                 static_cast<std::uint8_t>(width & 0xFF), 0x01, 0x01, 0x11, 0x00});
    // DC table 0 and AC table 0 each have one code, "0": difference size 11, end of block.
    for (const std::uint8_t table : {0x00, 0x10}) {
        file.insert(file.end(), {0xFF, 0xC4, 0x00, 0x14, table, 0x01});
        file.insert(file.end(), 15, 0x00);
        file.push_back(table == 0x00 ? 11 : 0x00);
    }
    file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    std::vector<bool> bits;
    for (int b = 0; b < blocks; ++b) {
        bits.push_back(false);              // size 11
        bits.insert(bits.end(), 11, true);  // +2047
        bits.push_back(false);              // end of block
    }
    while (bits.size() % 8 != 0) {
        bits.push_back(true);
    }
    for (std::size_t at = 0; at < bits.size(); at += 8) {
        std::uint8_t byte = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            byte = static_cast<std::uint8_t>(byte << 1 | bits[at + i]);
        }
        file.push_back(byte);
        if (byte == 0xFF) {
            file.push_back(0x00);
        }
    }
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

TEST(Jpeg, CoefficientsBeyondAnyPicturesSaturateInsteadOfWrappingAround) {
    // Even the first block's coefficient (2047 x 65535) would overflow the inverse DCT's sums, and
    // from the 17th block on the coefficient itself no longer fits in 32 bits.
    const std::optional<RgbImage> image = DecodeJpeg(OverBrightJpeg(20));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 160);
    EXPECT_TRUE(std::all_of(image->rgb.begin(), image->rgb.end(),
                            [](std::uint8_t sample) { return sample == 255; }));
}

}  // namespace
}  // namespace tarnwick::testing
