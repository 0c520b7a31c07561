#include "fakes/memory_versions.h"

#include <algorithm>
#include <stdexcept>

namespace tarnwick::fake {

namespace {

// The header: "TWVB", where the root answer is, the length VerQueryValue reports with it.
constexpr std::uint8_t kMagic[4] = {'T', 'W', 'V', 'B'};
constexpr std::size_t kRootAtOffset = 4;
constexpr std::size_t kRootLengthOffset = 8;
// Root markers in place of an offset.
constexpr std::uint32_t kRootMissing = 0xFFFFFFFF;
constexpr std::uint32_t kRootNull = 0xFFFFFFFE;
constexpr std::uint32_t kRootForeign = 0xFFFFFFFD;

constexpr std::size_t kRecordSize = 52;
constexpr std::uint32_t kSignature = 0xFEEF04BD;
constexpr std::uint32_t kStructVersion = 0x00010000;
// What GetFileVersionInfoSize leaves in the handle: the real one gives 0, a number here shows a
// program that passes it on.
constexpr std::uint32_t kReportedHandle = 0x5A5A;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

void PutLittleEndian(std::uint8_t* at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t GetLittleEndian(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    }
    return value;
}

ByteArray Header(std::size_t blockSize, std::uint32_t rootAt, std::uint32_t rootLength) {
    if (blockSize < kBlockHeaderSize) {
        throw std::invalid_argument("a version block holds at least its header");
    }
    ByteArray block(blockSize, 0);
    std::copy(std::begin(kMagic), std::end(kMagic), block.begin());
    PutLittleEndian(block.data() + kRootAtOffset, rootAt);
    PutLittleEndian(block.data() + kRootLengthOffset, rootLength);
    return block;
}

ByteArray Record(FileVersion version) {
    const auto high = [](std::uint16_t a, std::uint16_t b) {
        return (static_cast<std::uint32_t>(a) << 16) | b;
    };
    // dwSignature, dwStrucVersion, file version, product version (reversed), flags mask, flags,
    // OS (VOS_NT_WINDOWS32), type (VFT_APP), subtype, date.
    const std::uint32_t fields[13] = {kSignature,
                                      kStructVersion,
                                      high(version.major, version.minor),
                                      high(version.build, version.revision),
                                      high(version.revision, version.build),
                                      high(version.minor, version.major),
                                      0x3F,
                                      0,
                                      0x00040004,
                                      1,
                                      0,
                                      0,
                                      0};
    ByteArray record(kRecordSize, 0);
    for (std::size_t i = 0; i < 13; ++i) {
        PutLittleEndian(record.data() + 4 * i, fields[i]);
    }
    return record;
}

}  // namespace

ByteArray MemoryVersions::VersionBlock(FileVersion version, std::size_t rootOffset,
                                       std::size_t blockSize) {
    if (rootOffset < kBlockHeaderSize || rootOffset > blockSize) {
        throw std::invalid_argument("the root record starts inside the block, after its header");
    }
    ByteArray block = Header(blockSize, static_cast<std::uint32_t>(rootOffset), kRecordSize);
    const ByteArray record = Record(version);
    const std::size_t fits = std::min(kRecordSize, blockSize - rootOffset);
    std::copy(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(fits),
              block.begin() + static_cast<std::ptrdiff_t>(rootOffset));
    return block;
}

ByteArray MemoryVersions::BlockWithoutRoot(std::size_t blockSize) {
    return Header(blockSize, kRootMissing, 0);
}

ByteArray MemoryVersions::BlockWithNullRoot(std::size_t blockSize) {
    return Header(blockSize, kRootNull, kRecordSize);
}

// The record also sits right after the header, where VerQueryValue copies it from.
ByteArray MemoryVersions::BlockWithForeignRoot(FileVersion version, std::size_t blockSize) {
    if (blockSize < kBlockHeaderSize + kRecordSize) {
        throw std::invalid_argument("the block holds the whole record after its header");
    }
    ByteArray block = VersionBlock(version, kBlockHeaderSize, blockSize);
    PutLittleEndian(block.data() + kRootAtOffset, kRootForeign);
    return block;
}

void MemoryVersions::PutFile(const std::string& ansiPath, ByteArray block) {
    const auto size = static_cast<std::uint32_t>(block.size());
    files_[Lower(ansiPath)] = File{std::move(block), size, true};
}

void MemoryVersions::PutFileWithoutVersion(const std::string& ansiPath) {
    files_[Lower(ansiPath)] = File{{}, 0, true};
}

void MemoryVersions::PutUnreadableFile(const std::string& ansiPath, ByteArray block) {
    const auto size = static_cast<std::uint32_t>(block.size());
    files_[Lower(ansiPath)] = File{std::move(block), size, false};
}

void MemoryVersions::ReportSize(const std::string& ansiPath, std::uint32_t size) {
    files_.at(Lower(ansiPath)).reportedSize = size;
}

std::uint32_t MemoryVersions::GetFileVersionInfoSize(const std::string& ansiPath,
                                                     std::uint32_t* handle) {
    sizeQueries_.push_back(ansiPath);
    if (handle) {
        *handle = kReportedHandle;
    }
    const auto file = files_.find(Lower(ansiPath));
    return file == files_.end() ? 0 : file->second.reportedSize;
}

int MemoryVersions::GetFileVersionInfo(const std::string& ansiPath, std::uint32_t handle,
                                       std::uint32_t size, std::uint8_t* data) {
    infoCalls_.push_back({ansiPath, handle, size});
    const auto file = files_.find(Lower(ansiPath));
    if (file == files_.end() || !file->second.readable || file->second.block.empty()) {
        return 0;
    }
    const ByteArray& block = file->second.block;
    std::copy(block.begin(), block.begin() + std::min<std::size_t>(size, block.size()), data);
    return 1;
}

int MemoryVersions::VerQueryValue(const std::uint8_t* block, const std::string& subBlock,
                                  const std::uint8_t** value, std::uint32_t* length) {
    valueQueries_.push_back(subBlock);
    if (block == nullptr || !std::equal(std::begin(kMagic), std::end(kMagic), block) ||
        subBlock != "\\") {
        return 0;
    }
    const std::uint32_t rootAt = GetLittleEndian(block + kRootAtOffset);
    const std::uint32_t rootLength = GetLittleEndian(block + kRootLengthOffset);
    switch (rootAt) {
        case kRootMissing:
            return 0;
        case kRootNull:
            *value = nullptr;
            break;
        case kRootForeign:
            foreignRecord_.assign(block + kBlockHeaderSize, block + kBlockHeaderSize + kRecordSize);
            *value = foreignRecord_.data();
            break;
        default:
            *value = block + rootAt;
    }
    *length = rootLength;
    return 1;
}

}  // namespace tarnwick::fake
