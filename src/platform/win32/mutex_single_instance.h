// The single-instance test as a named mutex in the global namespace, held while the process lives.
#pragma once

#include "platform/single_instance.h"
#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

inline constexpr const wchar_t* kInstanceMutexName = L"Global\\Tarnwick.SingleInstance";

class MutexSingleInstance : public SingleInstance {
  public:
    bool AnotherInstanceRunning() override;

  private:
    UniqueKernelHandle mutex_;
};

}  // namespace tarnwick::win32
