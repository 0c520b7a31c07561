// The test pictures of tests/data and the program's logo, compiled into the tests so that they need
// no files at run time (under Wine the source tree lies on no drive).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

// The bytes of the file name in tests/data, or of "logo.jpg" in res/; empty for any other name.
std::vector<std::uint8_t> TestPicture(std::string_view name);

}  // namespace tarnwick::testing
