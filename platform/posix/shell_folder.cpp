#include "platform/shell_folder.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {
constexpr std::size_t kMaxPath = 260;
}

std::optional<std::string> CommonAppDataFolder() {
    if (const auto& hook = CommonAppDataFolderHook()) return hook();
    const char* folder = std::getenv("VARROW_COMMON_APPDATA");
    return std::string(folder && *folder ? folder : "/var/lib");
}

std::optional<std::string> AppendPath(const std::string& path, std::string_view more) {
    std::string tail(more);
    std::replace(tail.begin(), tail.end(), '\\', '/');
    std::string result = path;
    if (!result.empty() && result.back() != '/' && !tail.empty() && tail.front() != '/') result += '/';
    result += tail;
    if (result.size() >= kMaxPath) return std::nullopt;
    return result;
}

}  // namespace platform
