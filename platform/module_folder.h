#pragma once
#include <functional>
#include <optional>
#include <string>

namespace platform {

// The folder of the file this code was loaded from, without a closing separator: the DLL in the
// component, the program in varrow and the tests (GetModuleFileNameA of the module whose
// resources are read); natively the folder of the running program. Nothing when the platform
// cannot say.
std::optional<std::string> ModuleFolder();
std::function<std::optional<std::string>()>& ModuleFolderHook();

}  // namespace platform
