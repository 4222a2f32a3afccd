#include "platform/string_resource.h"

#include <vector>
#include <windows.h>

#include "platform/win32/module.h"

namespace platform {

std::string LoadStringResource(unsigned id, int maxChars) {
    if (maxChars <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(maxChars) + 1, '\0');
    const int length = ::LoadStringA(ModuleInstance(), id, buffer.data(), maxChars + 1);
    return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace platform
