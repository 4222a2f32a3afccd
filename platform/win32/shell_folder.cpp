#include "platform/shell_folder.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace platform {

std::optional<std::string> CommonAppDataFolder() {
    if (const auto& hook = CommonAppDataFolderHook()) return hook();
    char folder[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE)) return std::nullopt;
    return std::string(folder);
}

std::optional<std::string> AppendPath(const std::string& path, std::string_view more) {
    if (path.size() >= MAX_PATH) return std::nullopt;
    char buffer[MAX_PATH] = {};
    path.copy(buffer, path.size());
    const std::string tail(more);
    if (!::PathAppendA(buffer, tail.c_str())) return std::nullopt;
    return std::string(buffer);
}

}  // namespace platform
