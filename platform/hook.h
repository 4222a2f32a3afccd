#pragma once
#include <functional>
#include <utility>

namespace platform {

// Replaces one platform call for the lifetime of the object (tests, and the command line's --today),
// restoring whatever was installed before.
template <class Signature>
class ScopedHook {
public:
    ScopedHook(std::function<Signature>& slot, std::function<Signature> replacement)
        : slot_(slot), saved_(std::exchange(slot, std::move(replacement))) {}
    ~ScopedHook() { slot_ = std::move(saved_); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    std::function<Signature>& slot_;
    std::function<Signature> saved_;
};

}  // namespace platform
