#include "settings/settings_store.h"

#include "platform/profile.h"
#include "platform/shell_folder.h"

namespace {
constexpr char kSection[] = "MIGRATED";
constexpr char kRelativePath[] = "TESK\\Tesk EBanking\\BANKSERV.INI";
constexpr std::size_t kReadRequest = 259;
constexpr char kValidationSection[] = "Validation";
constexpr char kAccountCheckKey[] = "ModulusCheck";
constexpr char kDuplicateDaysKey[] = "DuplicateDays";
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

std::string SettingsStore::SettingsFolder() {
    const std::string path(SettingsFilePath().View());
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
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

bool SettingsStore::AccountCheckEnabled() {
    const CString path = SettingsFilePath();
    if (path.IsEmpty()) return false;
    return platform::ReadProfileValue(kValidationSection, kAccountCheckKey, "", kReadRequest, path.GetString()) == "1";
}

std::optional<int> SettingsStore::DuplicateDays() {
    const CString path = SettingsFilePath();
    if (path.IsEmpty()) return std::nullopt;
    const auto days =
        ParseDuplicateDays(platform::ReadProfileValue(kValidationSection, kDuplicateDaysKey, "", kReadRequest, path.GetString()));
    if (!days || *days == 0) return std::nullopt;
    return days;
}

std::optional<int> ParseDuplicateDays(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int days = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        days = days * 10 + (c - '0');
        if (days > kMaxDuplicateDays) return std::nullopt;
    }
    return days;
}

SettingsStore& ModuleSettingsStore() {
    static SettingsStore store;
    return store;
}
