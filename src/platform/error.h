// The program's own failures: a message, and nothing of the standard library's exception
// hierarchy, whose std::runtime_error brings a second string implementation into the executable.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace tarnwick {

class Error : public std::exception {
  public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

}  // namespace tarnwick
