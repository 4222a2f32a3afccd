#include "platform/module_folder.h"

#include <windows.h>

#include "platform/win32/module.h"

namespace platform {

std::optional<std::string> ModuleFolder() {
    if (const auto& hook = ModuleFolderHook()) return hook();
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(ModuleInstance(), path, MAX_PATH);
    // A full buffer may hold a cut path.
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    const std::string file(path, length);
    const auto separator = file.find_last_of("\\/");
    if (separator == std::string::npos) return std::nullopt;
    return file.substr(0, separator);
}

}  // namespace platform
