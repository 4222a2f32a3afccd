#pragma once
#include <chrono>
#include <thread>

namespace platform {

enum class LockTry { Locked, Busy, Failed };

// Tries `once` every little while until it locks or fails, or until `wait` has passed: Busy then.
template <typename Once>
LockTry TryToLock(std::chrono::milliseconds wait, Once once) {
    constexpr auto kRetryEvery = std::chrono::milliseconds(20);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const LockTry result = once();
        if (result != LockTry::Busy || std::chrono::steady_clock::now() >= deadline) return result;
        std::this_thread::sleep_for(kRetryEvery);
    }
}

}  // namespace platform
