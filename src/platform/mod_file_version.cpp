#include "platform/mod_file_version.h"

#include "platform/numbers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tarnwick {

namespace {

// Field offsets inside VS_FIXEDFILEINFO.
constexpr std::size_t kFileVersionMsOffset = 8;
constexpr std::size_t kFileVersionLsOffset = 12;

// Whether the record at value lies wholly inside buffer. Compared as addresses: the pointer comes
// from the platform and may point anywhere.
bool RecordInside(const std::vector<std::uint8_t>& buffer, const std::uint8_t* value) {
    if (value == nullptr) {
        return false;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
    const auto at = reinterpret_cast<std::uintptr_t>(value);
    return at >= start && at - start <= buffer.size() &&
           buffer.size() - (at - start) >= kFixedFileInfoSize;
}

}  // namespace

std::u16string ModFileVersion::GetFileVersionString(std::u16string_view path) {
    std::u16string result(kNoVersion);
    const std::string ansiPath = codePage_.ToAnsi(path);

    std::uint32_t handle = 0;
    const auto size = static_cast<std::int32_t>(versions_.VersionInfoSize(ansiPath, &handle));
    if (size <= 0) {
        return result;
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size), 0);
    if (versions_.VersionInfo(ansiPath, 0, static_cast<std::uint32_t>(size), buffer.data()) == 0) {
        return result;
    }
    const std::uint8_t* value = nullptr;
    std::uint32_t length = 0;
    if (versions_.QueryVersionValue(buffer.data(), "\\", &value, &length) == 0 ||
        !RecordInside(buffer, value)) {
        return result;
    }
    std::array<std::uint8_t, kFixedFileInfoSize> record{};
    std::copy(value, value + kFixedFileInfoSize, record.begin());

    const std::uint32_t versionMs = ReadLittleEndian32(&record[kFileVersionMsOffset], 4);
    const std::uint32_t versionLs = ReadLittleEndian32(&record[kFileVersionLsOffset], 4);
    std::u16string version;
    for (const std::uint32_t part :
         {versionMs >> 16, versionMs & 0xFFFFu, versionLs >> 16, versionLs & 0xFFFFu}) {
        if (!version.empty()) {
            version += u'.';
        }
        version += DecimalText(part);
    }
    return version;
}

}  // namespace tarnwick
