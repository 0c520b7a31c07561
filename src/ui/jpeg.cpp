#include "ui/jpeg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr int kMaxSide = 4096;

struct Huffman {
    bool defined = false;
    std::array<int, 17> maxCode{};   // largest code of each length, -1 when there is none
    std::array<int, 17> valuePtr{};  // index of the first symbol of each length
    std::array<int, 17> minCode{};
    std::vector<std::uint8_t> symbols;
};

struct Component {
    int id = 0;
    int h = 1, v = 1;  // sampling factors
    int quant = 0;
    int dcTable = 0, acTable = 0;
    int blocksWide = 0, blocksHigh = 0;  // over the whole picture, padded to whole MCUs
    std::vector<std::uint8_t> samples;   // blocksWide * 8 by blocksHigh * 8
    int dcPredictor = 0;
};

// The largest horizontal and vertical sampling factors: the size of an MCU in blocks.
std::pair<int, int> LargestSampling(const std::vector<Component>& components) {
    std::pair<int, int> largest{1, 1};
    for (const Component& c : components) {
        largest.first = std::max(largest.first, c.h);
        largest.second = std::max(largest.second, c.v);
    }
    return largest;
}

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
    bool AtEnd() const { return at_ >= data_.size(); }
    std::size_t At() const { return at_; }
    int Byte() { return at_ < data_.size() ? data_[at_++] : -1; }
    int Word() {
        const int high = Byte();
        const int low = Byte();
        return high < 0 || low < 0 ? -1 : high << 8 | low;
    }
    void Skip(std::size_t count) { at_ = std::min(data_.size(), at_ + count); }

    // Entropy-coded bits, with stuffed zero bytes removed; a marker ends them.
    int Bit() {
        if (bitsLeft_ == 0) {
            if (atMarker_ || at_ >= data_.size()) {
                failed_ = true;
                return 0;
            }
            int byte = data_[at_];
            if (byte == 0xFF) {
                const int next = at_ + 1 < data_.size() ? data_[at_ + 1] : -1;
                if (next != 0) {
                    atMarker_ = true;
                    failed_ = true;
                    return 0;
                }
                ++at_;
            }
            ++at_;
            bits_ = byte;
            bitsLeft_ = 8;
        }
        --bitsLeft_;
        return bits_ >> bitsLeft_ & 1;
    }
    int Bits(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) {
            value = value << 1 | Bit();
        }
        return value;
    }
    // Drops the rest of the byte and expects the restart marker next.
    bool Restart() {
        bitsLeft_ = 0;
        atMarker_ = false;
        if (at_ + 1 < data_.size() && data_[at_] == 0xFF && data_[at_ + 1] >= 0xD0 &&
            data_[at_ + 1] <= 0xD7) {
            at_ += 2;
            return true;
        }
        return false;
    }
    void EndEntropyData() {
        bitsLeft_ = 0;
        atMarker_ = false;
    }
    bool Failed() const { return failed_; }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
    int bits_ = 0;
    int bitsLeft_ = 0;
    bool atMarker_ = false;
    bool failed_ = false;
};

bool ReadHuffman(Reader& in, int length, std::array<Huffman, 4>& dc, std::array<Huffman, 4>& ac) {
    while (length > 0) {
        const int info = in.Byte();
        if (info < 0 || (info >> 4) > 1 || (info & 15) > 3) {
            return false;
        }
        Huffman& table = (info >> 4) == 0 ? dc[info & 15] : ac[info & 15];
        std::array<int, 17> counts{};
        int total = 0;
        for (int bits = 1; bits <= 16; ++bits) {
            counts[bits] = in.Byte();
            total += counts[bits];
        }
        if (in.AtEnd() || total > 256) {
            return false;
        }
        table.symbols.assign(static_cast<std::size_t>(total), 0);
        for (auto& symbol : table.symbols) {
            symbol = static_cast<std::uint8_t>(in.Byte());
        }
        int code = 0;
        int index = 0;
        for (int bits = 1; bits <= 16; ++bits) {
            table.valuePtr[bits] = index;
            table.minCode[bits] = code;
            code += counts[bits];
            index += counts[bits];
            table.maxCode[bits] = counts[bits] ? code - 1 : -1;
            code <<= 1;
        }
        table.defined = true;
        length -= 17 + total;
    }
    return length == 0 && !in.AtEnd();
}

int Decode(Reader& in, const Huffman& table) {
    int code = 0;
    for (int bits = 1; bits <= 16; ++bits) {
        code = code << 1 | in.Bit();
        if (table.maxCode[bits] >= 0 && code <= table.maxCode[bits]) {
            return table.symbols[static_cast<std::size_t>(table.valuePtr[bits] + code -
                                                          table.minCode[bits])];
        }
    }
    return -1;
}

int Extend(int value, int bits) {
    return bits == 0 ? 0 : value < (1 << (bits - 1)) ? value - (1 << bits) + 1 : value;
}

// The inverse DCT of one block, shifted to 0..255, written into samples at stride. In fixed
// point, since converting each sample from floating point dominated the decoding time on x87;
// the cosines carry 11 fraction bits and the rows between the passes 3, which keeps every sum in
// 32 bits for coefficients within +-4096 (any 8-bit picture's are within +-2048 and a little
// quantisation error).
void InverseDct(const std::array<int, 64>& coefficients, std::uint8_t* out, int stride) {
    constexpr int kCosineBits = 11;
    constexpr int kRowShift = 8;  // leaves 3 fraction bits
    constexpr int kOutShift = 2 * kCosineBits - kRowShift;
    const auto toSample = [](int sum) {
        return static_cast<std::uint8_t>(
            std::clamp(((sum + (1 << (kOutShift - 1))) >> kOutShift) + 128, 0, 255));
    };
    static const auto kCos = [] {
        std::array<std::array<int, 8>, 8> table{};
        for (int x = 0; x < 8; ++x) {
            for (int u = 0; u < 8; ++u) {
                table[x][u] = static_cast<int>(
                    std::lround((u == 0 ? std::sqrt(0.5) : 1.0) *
                                std::cos((2 * x + 1) * u * 3.14159265358979323846 / 16) / 2 *
                                (1 << kCosineBits)));
            }
        }
        return table;
    }();
    if (std::all_of(coefficients.begin() + 1, coefficients.end(), [](int c) { return c == 0; })) {
        // Only the average: a flat block, the commonest kind in a logo. Worked out once, as the
        // two passes below would work it out for each sample.
        const int row = (kCos[0][0] * coefficients[0] + (1 << (kRowShift - 1))) >> kRowShift;
        const std::uint8_t flat = toSample(kCos[0][0] * row);
        for (int y = 0; y < 8; ++y) {
            std::fill_n(out + y * stride, 8, flat);
        }
        return;
    }
    // Only the coefficients that are not zero are multiplied: after quantisation most are zero.
    std::array<int, 64> rows{};
    std::array<int, 8> usedRows{};
    int usedRowCount = 0;
    for (int v = 0; v < 8; ++v) {
        std::array<int, 8> used{};
        int usedCount = 0;
        for (int u = 0; u < 8; ++u) {
            if (coefficients[static_cast<std::size_t>(v * 8 + u)] != 0) {
                used[static_cast<std::size_t>(usedCount++)] = u;
            }
        }
        if (usedCount == 0) {
            continue;
        }
        usedRows[static_cast<std::size_t>(usedRowCount++)] = v;
        for (int x = 0; x < 8; ++x) {
            int sum = 0;
            for (int i = 0; i < usedCount; ++i) {
                const int u = used[static_cast<std::size_t>(i)];
                sum += kCos[x][u] * coefficients[static_cast<std::size_t>(v * 8 + u)];
            }
            rows[static_cast<std::size_t>(v * 8 + x)] = (sum + (1 << (kRowShift - 1))) >> kRowShift;
        }
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            int sum = 0;
            for (int i = 0; i < usedRowCount; ++i) {
                const int v = usedRows[static_cast<std::size_t>(i)];
                sum += kCos[y][v] * rows[static_cast<std::size_t>(v * 8 + x)];
            }
            out[y * stride + x] = toSample(sum);
        }
    }
}

// A coefficient times its quantiser, held within +-4096: wider than any 8-bit picture needs, and
// narrow enough that nothing a damaged file holds can overflow the inverse DCT's arithmetic.
int Dequantised(int value, int quantiser) {
    return static_cast<int>(std::clamp(static_cast<std::int64_t>(value) * quantiser,
                                       std::int64_t{-4096}, std::int64_t{4096}));
}

bool DecodeBlock(Reader& in, Component& c, const Huffman& dc, const Huffman& ac,
                 const std::array<int, 64>& quant, std::uint8_t* out, int stride) {
    std::array<int, 64> coefficients{};
    const int dcBits = Decode(in, dc);
    if (dcBits < 0 || dcBits > 11) {
        return false;
    }
    c.dcPredictor += Extend(in.Bits(dcBits), dcBits);
    coefficients[0] = Dequantised(c.dcPredictor, quant[0]);
    for (int k = 1; k < 64;) {
        const int rs = Decode(in, ac);
        if (rs < 0) {
            return false;
        }
        const int run = rs >> 4;
        const int bits = rs & 15;
        if (bits == 0) {
            if (run != 15) {
                break;  // end of block
            }
            k += 16;
            continue;
        }
        k += run;
        if (k > 63) {
            return false;
        }
        coefficients[static_cast<std::size_t>(kZigzag[static_cast<std::size_t>(k)])] =
            Dequantised(Extend(in.Bits(bits), bits), quant[static_cast<std::size_t>(k)]);
        ++k;
    }
    InverseDct(coefficients, out, stride);
    return !in.Failed();
}

}  // namespace

std::optional<RgbImage> DecodeJpeg(std::span<const std::uint8_t> data) {
    Reader in(data);
    if (in.Word() != 0xFFD8) {
        return std::nullopt;
    }
    std::array<std::array<int, 64>, 4> quant{};
    std::array<bool, 4> quantDefined{};
    std::array<Huffman, 4> dc;
    std::array<Huffman, 4> ac;
    std::vector<Component> components;
    int width = 0;
    int height = 0;
    int restartInterval = 0;
    bool scanned = false;
    while (!in.AtEnd()) {
        if (in.Byte() != 0xFF) {
            return std::nullopt;
        }
        int marker = in.Byte();
        while (marker == 0xFF) {
            marker = in.Byte();
        }
        if (marker < 0) {
            return std::nullopt;
        }
        if (marker == 0xD9) {  // end of image
            break;
        }
        const int length = in.Word() - 2;
        if (length < 0) {
            return std::nullopt;
        }
        const std::size_t segmentEnd = in.At() + static_cast<std::size_t>(length);
        if (marker == 0xC0 || marker == 0xC1) {  // baseline or extended sequential, Huffman
            if (!components.empty() || in.Byte() != 8) {
                return std::nullopt;
            }
            height = in.Word();
            width = in.Word();
            const int count = in.Byte();
            if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
                (count != 1 && count != 3)) {
                return std::nullopt;
            }
            for (int i = 0; i < count; ++i) {
                Component c;
                c.id = in.Byte();
                const int sampling = in.Byte();
                c.h = sampling >> 4;
                c.v = sampling & 15;
                c.quant = in.Byte();
                if (c.h < 1 || c.h > 2 || c.v < 1 || c.v > 2 || c.quant < 0 || c.quant > 3) {
                    return std::nullopt;
                }
                components.push_back(c);
            }
        } else if (marker == 0xC4) {
            if (!ReadHuffman(in, length, dc, ac)) {
                return std::nullopt;
            }
        } else if (marker == 0xDB) {
            int left = length;
            while (left > 0) {
                const int info = in.Byte();
                if (info < 0 || (info >> 4) > 1 || (info & 15) > 3) {
                    return std::nullopt;
                }
                const bool wide = (info >> 4) == 1;
                for (int& value : quant[static_cast<std::size_t>(info & 15)]) {
                    value = wide ? in.Word() : in.Byte();
                }
                quantDefined[static_cast<std::size_t>(info & 15)] = true;
                left -= 1 + (wide ? 128 : 64);
            }
            if (left != 0 || in.AtEnd()) {
                return std::nullopt;
            }
        } else if (marker == 0xDD) {
            restartInterval = in.Word();
        } else if (marker == 0xDA) {  // a scan: every component, interleaved
            const int count = in.Byte();
            if (components.empty() || count != static_cast<int>(components.size())) {
                return std::nullopt;
            }
            for (int i = 0; i < count; ++i) {
                const int id = in.Byte();
                const int tables = in.Byte();
                const auto c = std::find_if(components.begin(), components.end(),
                                            [id](const Component& x) { return x.id == id; });
                if (c == components.end() || (tables >> 4) > 3 || (tables & 15) > 3 ||
                    !dc[static_cast<std::size_t>(tables >> 4)].defined ||
                    !ac[static_cast<std::size_t>(tables & 15)].defined ||
                    !quantDefined[static_cast<std::size_t>(c->quant)]) {
                    return std::nullopt;
                }
                c->dcTable = tables >> 4;
                c->acTable = tables & 15;
            }
            in.Skip(3);  // spectral selection and approximation: fixed for a sequential scan
            if (in.At() != segmentEnd || in.AtEnd()) {
                return std::nullopt;
            }
            const auto [maxH, maxV] = LargestSampling(components);
            const int mcusWide = (width + 8 * maxH - 1) / (8 * maxH);
            const int mcusHigh = (height + 8 * maxV - 1) / (8 * maxV);
            for (Component& c : components) {
                c.blocksWide = mcusWide * c.h;
                c.blocksHigh = mcusHigh * c.v;
                c.samples.assign(static_cast<std::size_t>(c.blocksWide * c.blocksHigh * 64), 0);
            }
            for (int mcu = 0; mcu < mcusWide * mcusHigh; ++mcu) {
                if (restartInterval > 0 && mcu > 0 && mcu % restartInterval == 0) {
                    if (!in.Restart()) {
                        return std::nullopt;
                    }
                    for (Component& c : components) {
                        c.dcPredictor = 0;
                    }
                }
                const int mcuX = mcu % mcusWide;
                const int mcuY = mcu / mcusWide;
                for (Component& c : components) {
                    const int stride = c.blocksWide * 8;
                    for (int by = 0; by < c.v; ++by) {
                        for (int bx = 0; bx < c.h; ++bx) {
                            const int x = (mcuX * c.h + bx) * 8;
                            const int y = (mcuY * c.v + by) * 8;
                            if (!DecodeBlock(in, c, dc[static_cast<std::size_t>(c.dcTable)],
                                             ac[static_cast<std::size_t>(c.acTable)],
                                             quant[static_cast<std::size_t>(c.quant)],
                                             &c.samples[static_cast<std::size_t>(y * stride + x)],
                                             stride)) {
                                return std::nullopt;
                            }
                        }
                    }
                }
            }
            in.EndEntropyData();
            scanned = true;
            // Whatever follows the entropy-coded data up to the next marker is skipped.
            while (!in.AtEnd() && in.At() + 1 < data.size() &&
                   !(data[in.At()] == 0xFF && data[in.At() + 1] != 0 &&
                     (data[in.At() + 1] < 0xD0 || data[in.At() + 1] > 0xD7))) {
                in.Skip(1);
            }
            continue;
        } else if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDE || marker == 0xDF) {
            return std::nullopt;  // progressive, lossless, arithmetic-coded or hierarchical
        }
        if (segmentEnd > data.size() || in.At() > segmentEnd) {
            return std::nullopt;
        }
        in.Skip(segmentEnd - in.At());
    }
    if (!scanned) {
        return std::nullopt;
    }

    const auto [maxH, maxV] = LargestSampling(components);
    RgbImage image{width, height,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(width * height * 3))};
    // A component sampled at half the largest factor covers two pixels per sample.
    const auto sample = [&](const Component& c, int x, int y) -> int {
        const int sx = c.h == maxH ? x : x / 2;
        const int sy = c.v == maxV ? y : y / 2;
        return c.samples[static_cast<std::size_t>(sy * c.blocksWide * 8 + sx)];
    };
    // YCbCr to RGB in 16-bit fixed point, with the factors and rounding libjpeg uses.
    constexpr int kHalf = 1 << 15;
    const auto clamp = [](int value) {
        return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = &image.rgb[static_cast<std::size_t>((y * width + x) * 3)];
            const int luma = sample(components[0], x, y);
            if (components.size() == 1) {
                pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(luma);
                continue;
            }
            const int cb = sample(components[1], x, y) - 128;
            const int cr = sample(components[2], x, y) - 128;
            pixel[0] = clamp(luma + ((91881 * cr + kHalf) >> 16));
            pixel[1] = clamp(luma + ((-22554 * cb - 46802 * cr + kHalf) >> 16));
            pixel[2] = clamp(luma + ((116130 * cb + kHalf) >> 16));
        }
    }
    return image;
}

}  // namespace tarnwick
