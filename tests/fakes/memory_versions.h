// Version blocks served from memory by path, with the contract of version.dll's "A" functions, for
// running ModFileVersion without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry_value.h"
#include "platform/version_api.h"

namespace tarnwick::fake {

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t build = 0;
    std::uint16_t revision = 0;
};

// One GetFileVersionInfo call as the program made it.
struct VersionInfoCall {
    std::string path;
    std::uint32_t handle;
    std::uint32_t size;
    bool operator==(const VersionInfoCall&) const = default;
};

// The blocks carry a header of this fake's own (not the layout Windows uses) telling
// VerQueryValue where the root block is, so it works on whatever buffer the program filled.
inline constexpr std::size_t kBlockHeaderSize = 16;

class MemoryVersions : public VersionApi {
  public:
    // A block of blockSize bytes whose root block is a VS_FIXEDFILEINFO for version placed at
    // rootOffset (kBlockHeaderSize <= rootOffset <= blockSize). A record that would run past the
    // end is cut off there, the root still pointing at it. The product version is set to other
    // numbers than the file version.
    static ByteArray VersionBlock(FileVersion version, std::size_t rootOffset,
                                  std::size_t blockSize);
    // A block in which the root query fails.
    static ByteArray BlockWithoutRoot(std::size_t blockSize);
    // A block whose root query succeeds with a null pointer.
    static ByteArray BlockWithNullRoot(std::size_t blockSize);
    // A block whose root query answers a complete record for version lying in memory of the
    // fake's own, outside the program's buffer.
    static ByteArray BlockWithForeignRoot(FileVersion version, std::size_t blockSize);

    // Paths are ANSI and case-insensitive (ASCII letters).
    // A file whose version block is block; the size reported is the block's.
    void PutFile(const std::string& ansiPath, ByteArray block);
    // A file without a version resource: its size is 0.
    void PutFileWithoutVersion(const std::string& ansiPath);
    // A file whose size is reported but whose GetFileVersionInfo fails.
    void PutUnreadableFile(const std::string& ansiPath, ByteArray block);
    // Makes GetFileVersionInfoSize report size for a file put before. A buffer of that size must
    // hold at least the header, since VerQueryValue, like the real one, is not told its size.
    void ReportSize(const std::string& ansiPath, std::uint32_t size);

    // Every path GetFileVersionInfoSize was asked about, as it arrived.
    const std::vector<std::string>& SizeQueries() const { return sizeQueries_; }
    const std::vector<VersionInfoCall>& InfoCalls() const { return infoCalls_; }
    // Every sub-block VerQueryValue was asked for.
    const std::vector<std::string>& ValueQueries() const { return valueQueries_; }

    std::uint32_t GetFileVersionInfoSize(const std::string& ansiPath,
                                         std::uint32_t* handle) override;
    int GetFileVersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                           std::uint8_t* data) override;
    int VerQueryValue(const std::uint8_t* block, const std::string& subBlock,
                      const std::uint8_t** value, std::uint32_t* length) override;

  private:
    struct File {
        ByteArray block;
        std::uint32_t reportedSize = 0;
        bool readable = true;
    };

    std::map<std::string, File> files_;  // by lower-case path
    std::vector<std::string> sizeQueries_;
    std::vector<VersionInfoCall> infoCalls_;
    std::vector<std::string> valueQueries_;
    ByteArray foreignRecord_;
};

}  // namespace tarnwick::fake
