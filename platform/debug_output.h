#pragma once
#include <functional>
#include <string_view>

namespace platform {

// The debugger's output channel (OutputDebugStringA). Natively it is silent unless enabled, and
// then goes to standard error.
void OutputDebugText(std::string_view text);
void EnableDebugOutputToStderr(bool enabled);
// When set, takes each piece of text instead of the channel (tests compare what two readers say).
std::function<void(std::string_view)>& DebugOutputHook();

}  // namespace platform
