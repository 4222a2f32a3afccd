#pragma once
#include <string_view>

namespace platform {

// The debugger's output channel (OutputDebugStringA). Natively it is silent unless enabled, and
// then goes to standard error.
void OutputDebugText(std::string_view text);
void EnableDebugOutputToStderr(bool enabled);

}  // namespace platform
