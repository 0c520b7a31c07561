// The one retry policy for calls that fill a caller's buffer and say how large it should have
// been (module and folder paths, environment expansion, registry reads): called again with the
// size they name, a bounded number of times, as what they describe may grow between two calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tarnwick {

inline constexpr int kBufferFillAttempts = 4;

// fill(data, capacity) answers how many units it needs: at most capacity when what it wrote fits
// (the buffer is then cut to that many), more when it wants to be called again with that many,
// nullopt when it failed (it keeps its own error code). The buffer, or nullopt when fill failed
// or still wanted more on its last allowed call.
template <typename Buffer, typename Fill>
std::optional<Buffer> GrownBuffer(std::size_t firstSize, Fill fill) {
    Buffer buffer(firstSize, typename Buffer::value_type{});
    for (int attempt = 0; attempt < kBufferFillAttempts; ++attempt) {
        const std::optional<std::size_t> needed = fill(buffer.data(), buffer.size());
        if (!needed) {
            return std::nullopt;
        }
        if (*needed <= buffer.size()) {
            buffer.resize(*needed);
            return buffer;
        }
        buffer.resize(*needed);
    }
    return std::nullopt;
}

// fill's answer for the many Windows calls that return 0 on failure, the text's length without
// its terminator when it fits, and the size it needs with the terminator when it does not
// (GetFullPathNameW, GetSystemDirectoryW, ...). One more than that size: Wine's
// GetFinalPathNameByHandleW counts it without the terminator.
inline std::optional<std::size_t> TextFillAnswer(std::uint32_t result, std::size_t capacity) {
    if (result == 0) {
        return std::nullopt;
    }
    return result < capacity ? result : std::size_t{result} + 1;
}

}  // namespace tarnwick
