// Waiting in tests for something another process or thread does.
#pragma once

#include <chrono>
#include <thread>

namespace tarnwick::testing {

// Polls condition until it holds or timeout has passed; whether it held.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

}  // namespace tarnwick::testing
