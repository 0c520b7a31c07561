// The machine-wide test for another running copy of the program.
#pragma once

namespace tarnwick {

class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    // Claims the program's instance for this process when no other copy holds it.
    virtual bool AnotherInstanceRunning() = 0;
};

}  // namespace tarnwick
