// Starting a command line as a hidden process that nobody waits for.
#pragma once

#include <stdexcept>
#include <string_view>

namespace tarnwick {

class ProcessStartError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ProcessApi {
  public:
    virtual ~ProcessApi() = default;
    // Raises ProcessStartError when the process cannot be started.
    virtual void StartHidden(std::u16string_view commandLine) = 0;
};

}  // namespace tarnwick
