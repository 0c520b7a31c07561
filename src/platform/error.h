// The program's own failures: a message for people and, when a Windows call failed, the error code
// it gave (GetLastError, an LSTATUS) for the program; 0 when no call gave one. Nothing of the
// standard library's exception hierarchy, whose std::runtime_error brings a second string
// implementation into the executable.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace tarnwick {

class Error : public std::exception {
  public:
    explicit Error(std::string message, std::uint32_t code = 0)
        : message_(std::move(message)), code_(code) {}
    const char* what() const noexcept override { return message_.c_str(); }
    std::uint32_t Code() const noexcept { return code_; }

  private:
    std::string message_;
    std::uint32_t code_;
};

}  // namespace tarnwick
