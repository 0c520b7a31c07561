// version.dll's three questions answered from a table by path, and recorded. Where the root record
// lies in the buffer the program filled is part of each answer; the real block layout is covered
// by the Wine tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/mod_file_version.h"
#include "platform/numbers.h"
#include "platform/version_api.h"

namespace tarnwick::fake {

struct FileVersion {
    std::uint16_t major = 0, minor = 0, build = 0, revision = 0;
};

enum class Root { InBuffer, Missing, Null, Elsewhere };

struct VersionFile {
    FileVersion version;
    std::uint32_t size = 300;     // what the size query reports; 0: no version resource
    bool readable = true;         // whether the block can be read
    Root root = Root::InBuffer;   // what the root query answers
    std::size_t rootOffset = 40;  // where in the filled buffer the record starts
};

struct VersionInfoCall {
    std::string path;
    std::uint32_t handle;
    std::uint32_t size;
};

class VersionAnswers : public VersionApi {
  public:
    // Paths are ANSI, compared as given.
    void Put(const std::string& ansiPath, VersionFile file) { files_[ansiPath] = file; }

    std::vector<std::string> sizeQueries;
    std::vector<VersionInfoCall> infoCalls;

    std::uint32_t VersionInfoSize(const std::string& ansiPath, std::uint32_t* handle) override {
        sizeQueries.push_back(ansiPath);
        *handle = 7;  // not to be passed on
        const auto file = files_.find(ansiPath);
        return file == files_.end() ? 0 : file->second.size;
    }

    int VersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                    std::uint8_t* data) override {
        infoCalls.push_back({ansiPath, handle, size});
        const auto file = files_.find(ansiPath);
        if (file == files_.end() || !file->second.readable) {
            return 0;
        }
        std::fill(data, data + size, 0);
        const std::vector<std::uint8_t> record = Record(file->second.version);
        for (std::size_t i = 0; i < record.size() && file->second.rootOffset + i < size; ++i) {
            data[file->second.rootOffset + i] = record[i];
        }
        filled_ = {data, &file->second};
        return 1;
    }

    int QueryVersionValue(const std::uint8_t* block, const std::string&, const std::uint8_t** value,
                          std::uint32_t* length) override {
        if (block != filled_.first || filled_.second->root == Root::Missing) {
            return 0;
        }
        const VersionFile& file = *filled_.second;
        elsewhere_ = Record(file.version);
        *value = file.root == Root::Null        ? nullptr
                 : file.root == Root::Elsewhere ? elsewhere_.data()
                                                : block + file.rootOffset;
        *length = kFixedFileInfoSize;
        return 1;
    }

  private:
    // VS_FIXEDFILEINFO: signature, structure version, file version, then a product version that
    // differs from it.
    static std::vector<std::uint8_t> Record(FileVersion v) {
        std::vector<std::uint8_t> record(kFixedFileInfoSize, 0);
        const std::uint32_t fields[] = {0xFEEF04BDu,
                                        0x00010000u,
                                        static_cast<std::uint32_t>(v.major) << 16 | v.minor,
                                        static_cast<std::uint32_t>(v.build) << 16 | v.revision,
                                        0x00090009u,
                                        0x00090009u};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            const auto bytes = LittleEndian32(fields[i]);
            std::copy(bytes.begin(), bytes.end(), record.begin() + 4 * i);
        }
        return record;
    }

    std::map<std::string, VersionFile> files_;
    std::pair<const std::uint8_t*, const VersionFile*> filled_{nullptr, nullptr};
    std::vector<std::uint8_t> elsewhere_;
};

}  // namespace tarnwick::fake
