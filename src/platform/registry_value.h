// The tagged value that GetKeyValue returns and SetKeyValue takes.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/error.h"

namespace tarnwick {

using ByteArray = std::vector<std::uint8_t>;

// std::monostate is "empty". bool and double stand for every other kind a caller may pass,
// which SetKeyValue accepts and stores as nothing.
using RegistryValue = std::variant<std::monostate, std::uint8_t, std::int16_t, std::int32_t,
                                   std::u16string, ByteArray, bool, double>;

// What GetKeyValue and ExpandEnvString raise when data cannot be converted or expanded.
class RegistryError : public Error {
  public:
    using Error::Error;
};

}  // namespace tarnwick
