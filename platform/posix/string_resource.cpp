#include "platform/string_resource.h"

#include "platform/string_table.h"

namespace platform {

std::string LoadStringResource(unsigned id, int maxChars) {
    const char* text = FindStringTableText(id);
    if (!text || maxChars <= 0) return {};
    return std::string(text).substr(0, static_cast<std::size_t>(maxChars));
}

}  // namespace platform
