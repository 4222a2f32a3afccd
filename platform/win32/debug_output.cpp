#include "platform/debug_output.h"

#include <string>
#include <windows.h>

namespace platform {
namespace {
bool toStderr = false;
}

void EnableDebugOutputToStderr(bool enabled) { toStderr = enabled; }

void OutputDebugText(std::string_view text) {
    if (const auto& hook = DebugOutputHook()) return hook(text);
    const std::string piece(text);
    ::OutputDebugStringA(piece.c_str());
    if (toStderr) fputs(piece.c_str(), stderr);
}

}  // namespace platform
