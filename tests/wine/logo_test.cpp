// The artwork as the program uses it: the logo loaded from a BITMAP resource, and the icon group
// that windres built from res/Tarnwick.ico. Both come from test_resources.rc.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/win32/logo.h"

namespace tarnwick::testing {

namespace {

using win32::UniqueBitmap;
using UniqueIcon = win32::UniqueHandle<HICON, &::DestroyIcon>;

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

struct Rgb {
    int r, g, b;
};

bool IsWhite(Rgb c) {
    return c.r >= 250 && c.g >= 250 && c.b >= 250;
}
bool IsBlue(Rgb c) {
    return c.b >= 150 && c.b > c.r + 80;
}
bool IsAmber(Rgb c) {
    return c.r >= 180 && c.g >= 100 && c.b < 130 && c.r > c.b + 80;
}

void PrintTo(const Rgb& c, std::ostream* out) {
    *out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A bitmap's pixels read back as 32-bit colour, top row first.
class Pixels {
  public:
    Pixels(HBITMAP bitmap, int width, int height) : width_(width), data_(width * height) {
        BITMAPINFO info = TopDown32(width, height);
        const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        rows_ = GetDIBits(dc.get(), bitmap, 0, height, data_.data(), &info, DIB_RGB_COLORS);
    }
    Pixels(const std::uint32_t* bits, int width, int height)
        : width_(width), rows_(height), data_(bits, bits + width * height) {}

    int Rows() const { return rows_; }
    Rgb At(int x, int y) const {
        const std::uint32_t bgr = data_[y * width_ + x];
        return {static_cast<int>(bgr >> 16 & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
                static_cast<int>(bgr & 0xFF)};
    }

  private:
    int width_;
    int rows_ = 0;
    std::vector<std::uint32_t> data_;
};

BITMAP Describe(HBITMAP bitmap) {
    BITMAP description{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof description, &description),
              static_cast<int>(sizeof description));
    return description;
}

TEST(Logo, LoadsAtItsNaturalSize) {
    const UniqueBitmap logo = win32::LoadLogo(Self());
    ASSERT_TRUE(logo);
    const BITMAP size = Describe(logo.get());
    EXPECT_EQ(size.bmWidth, 120);
    EXPECT_EQ(std::abs(size.bmHeight), 75);
}

TEST(Logo, CornersAreTheBannersWhite) {
    const UniqueBitmap logo = win32::LoadLogo(Self());
    ASSERT_TRUE(logo);
    const Pixels pixels(logo.get(), 120, 75);
    ASSERT_EQ(pixels.Rows(), 75);
    for (const auto& [x, y] : {std::pair{0, 0}, {119, 0}, {0, 74}, {119, 74}}) {
        EXPECT_TRUE(IsWhite(pixels.At(x, y))) << "at " << x << ", " << y;
    }
}

// The arrow is in the upper half and the word in the lower: a picture upside down fails here.
TEST(Logo, ShowsTheArrowAndTheFolderWhereTheyAreDrawn) {
    const UniqueBitmap logo = win32::LoadLogo(Self());
    ASSERT_TRUE(logo);
    const Pixels pixels(logo.get(), 120, 75);
    ASSERT_EQ(pixels.Rows(), 75);
    EXPECT_PRED1(IsBlue, pixels.At(50, 25));   // the arrow's shaft
    EXPECT_PRED1(IsAmber, pixels.At(93, 28));  // the front of the folder it points to
    EXPECT_PRED1(IsWhite, pixels.At(50, 49));  // between the pictures and the word
}

TEST(Logo, EachCallGivesABitmapOfItsOwn) {
    UniqueBitmap first = win32::LoadLogo(Self());
    const UniqueBitmap second = win32::LoadLogo(Self());
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first.get(), second.get());
    first.reset();
    EXPECT_EQ(Describe(second.get()).bmWidth, 120);
}

TEST(Logo, MissingResourceGivesAnEmptyHandle) {
    EXPECT_FALSE(win32::LoadBitmapResource(Self(), L"NO_SUCH_PICTURE"));
}

// The resource directory of an icon group, as windres lays it out (2-byte packing).
#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct GroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupEntry> IconGroup() {
    const HRSRC found = FindResourceW(Self(), L"APPICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    GroupHeader header;
    std::memcpy(&header, data, sizeof header);
    std::vector<GroupEntry> entries(header.count);
    if (SizeofResource(Self(), found) < sizeof header + header.count * sizeof(GroupEntry)) {
        return {};
    }
    std::memcpy(entries.data(), data + sizeof header, header.count * sizeof(GroupEntry));
    return entries;
}

TEST(AppIcon, HoldsNineImagesThreeSizesByThreeDepths) {
    const std::vector<GroupEntry> entries = IconGroup();
    ASSERT_EQ(entries.size(), 9u);
    std::set<std::tuple<int, int, int>> seen;
    for (const GroupEntry& entry : entries) {
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.colourCount, entry.bitCount == 4 ? 16 : 0);
        seen.insert({entry.width, entry.bitCount, entry.colourCount});
    }
    const std::set<std::tuple<int, int, int>> expected{{48, 32, 0}, {48, 8, 0}, {48, 4, 16},
                                                       {32, 32, 0}, {32, 8, 0}, {32, 4, 16},
                                                       {16, 32, 0}, {16, 8, 0}, {16, 4, 16}};
    EXPECT_EQ(seen, expected);
}

TEST(AppIcon, EveryImageIsABitmapOfItsEntrysSize) {
    const std::vector<GroupEntry> entries = IconGroup();
    ASSERT_EQ(entries.size(), 9u);
    for (const GroupEntry& entry : entries) {
        const HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));
        ASSERT_NE(found, nullptr) << "RT_ICON " << entry.id;
        EXPECT_EQ(SizeofResource(Self(), found), entry.bytes);
        BITMAPINFOHEADER header;
        std::memcpy(&header, LockResource(LoadResource(Self(), found)), sizeof header);
        EXPECT_EQ(header.biSize, sizeof header) << "a PNG image instead of a DIB?";
        EXPECT_EQ(header.biWidth, entry.width);
        EXPECT_EQ(header.biHeight, 2 * entry.height);  // colour bits and AND mask
        EXPECT_EQ(header.biBitCount, entry.bitCount);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

class AppIconAtSize : public ::testing::TestWithParam<int> {};

// Drawn onto white: the corners stay white (the masks), the folder and the arrow show in place.
TEST_P(AppIconAtSize, DrawsAFolderAndAnArrowOnATransparentGround) {
    const int size = GetParam();
    const UniqueIcon icon(
        static_cast<HICON>(LoadImageW(Self(), L"APPICON", IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    ASSERT_TRUE(colour);
    EXPECT_EQ(Describe(colour.get()).bmWidth, size);

    const BITMAPINFO format = TopDown32(size, size);
    void* bits = nullptr;
    const UniqueBitmap canvas(
        CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(canvas);
    std::memset(bits, 0xFF, size * size * 4);
    const win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        const win32::ScopedSelect selected(dc.get(), canvas.get());
        ASSERT_TRUE(DrawIconEx(dc.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL));
        GdiFlush();
    }
    const Pixels drawn(static_cast<const std::uint32_t*>(bits), size, size);

    const int unit = size / 16;  // the artwork is laid out on a 16-unit grid
    EXPECT_PRED1(IsWhite, drawn.At(size - 1, 0));
    EXPECT_PRED1(IsWhite, drawn.At(0, size - 1));
    EXPECT_PRED1(IsAmber, drawn.At(2 * unit, 4 * unit));   // the back of the folder
    EXPECT_PRED1(IsBlue, drawn.At(8 * unit, 11 * unit));   // the arrow's shaft
    EXPECT_PRED1(IsBlue, drawn.At(12 * unit, 11 * unit));  // and its head
}

INSTANTIATE_TEST_SUITE_P(Sizes, AppIconAtSize, ::testing::Values(16, 32, 48));

}  // namespace

}  // namespace tarnwick::testing
