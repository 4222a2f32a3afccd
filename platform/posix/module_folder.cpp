#include "platform/module_folder.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::optional<std::string> ModuleFolder() {
    if (const auto& hook = ModuleFolderHook()) return hook();
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) return std::nullopt;
    return program.parent_path().string();
}

}  // namespace platform
