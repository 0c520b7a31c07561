// A decoder for baseline JPEG pictures, such as the banner's logo: decoding it here spares the
// start of OLE and the Windows Imaging Component that Windows' own picture loader needs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarnwick {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // red, green, blue for each pixel, top row first
};

// Sequential Huffman-coded JPEG with 8-bit samples, one (grey) or three (YCbCr) components,
// sampling factors of 1 or 2, and restart markers. Anything else, and data that is cut short or
// malformed, gives nullopt.
std::optional<RgbImage> DecodeJpeg(std::span<const std::uint8_t> data);

}  // namespace tarnwick
