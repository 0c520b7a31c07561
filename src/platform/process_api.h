// Starting the system's command interpreter as a hidden process that nobody waits for.
#pragma once

#include <string_view>
#include "platform/error.h"

namespace tarnwick {

class ProcessStartError : public Error {
  public:
    using Error::Error;
};

class ProcessApi {
  public:
    virtual ~ProcessApi() = default;
    // Runs cmd.exe from the system directory, never one found elsewhere, with commandLine as
    // its command line. Raises ProcessStartError when it cannot be started.
    virtual void StartHidden(std::u16string_view commandLine) = 0;
};

}  // namespace tarnwick
