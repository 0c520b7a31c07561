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

}  // namespace
}  // namespace tarnwick::testing
