#include "platform/debug_output.h"

#include <cstdio>

namespace platform {
namespace {
bool toStderr = false;
}

void EnableDebugOutputToStderr(bool enabled) { toStderr = enabled; }

void OutputDebugText(std::string_view text) {
    if (const auto& hook = DebugOutputHook()) return hook(text);
    if (toStderr) std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace platform
