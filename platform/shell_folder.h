#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The machine's common application-data folder (SHGetSpecialFolderPathA, CSIDL_COMMON_APPDATA,
// not created when missing); nothing when the platform cannot say. Natively the folder named by
// VARROW_COMMON_APPDATA, else /var/lib.
std::optional<std::string> CommonAppDataFolder();
std::function<std::optional<std::string>()>& CommonAppDataFolderHook();

// `more` appended to `path` with one separator between them (PathAppendA); nothing when the result
// does not fit the platform's path limit of 259 characters. `more` is written with backslashes,
// which the native build turns into slashes.
std::optional<std::string> AppendPath(const std::string& path, std::string_view more);

}  // namespace platform
