#include "platform/win32/mutex_single_instance.h"

namespace tarnwick::win32 {

bool MutexSingleInstance::AnotherInstanceRunning() {
    mutex_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    // Without a mutex there is nothing to test against; let this copy run.
    return mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace tarnwick::win32
