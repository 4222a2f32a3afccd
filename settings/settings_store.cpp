#include "settings/settings_store.h"

#include "platform/profile.h"
#include "platform/shell_folder.h"

namespace {
constexpr char kSection[] = "MIGRATED";
constexpr char kRelativePath[] = "TESK\\Tesk EBanking\\BANKSERV.INI";
constexpr std::size_t kReadRequest = 259;
}  // namespace

CString SettingsStore::SettingsFilePath() {
    if (pathComputed_) return path_;
    const auto folder = platform::CommonAppDataFolder();
    const auto path = folder ? platform::AppendPath(*folder, kRelativePath) : std::nullopt;
    if (path) {
        path_ = CString(std::string_view(*path));
        pathComputed_ = true;
    }
    return path_;
}

bool SettingsStore::ReadSetting(const CString& key, CString& value) {
    // Without a path there is no file to ask: an empty name would make the platform fall back to
    // a file of its own choosing.
    const CString path = SettingsFilePath();
    if (path.IsEmpty()) return false;
    const std::string stored =
        platform::ReadProfileValue(kSection, key.GetString(), "", kReadRequest, path.GetString());
    if (stored.empty()) return false;
    value = CString(std::string_view(stored));
    return true;
}

bool SettingsStore::WriteSetting(const CString& key, const CString& value) {
    const CString path = SettingsFilePath();
    if (path.IsEmpty()) return false;
    return platform::WriteProfileValue(kSection, key.GetString(), value.GetString(), path.GetString());
}

SettingsStore& ModuleSettingsStore() {
    static SettingsStore store;
    return store;
}
