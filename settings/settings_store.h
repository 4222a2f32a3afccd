#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/cstring.h"

// The per-account memory of the payment run: the template name and beneficiary reference last
// confirmed, in section "MIGRATED" of BANKSERV.INI below the machine's common application-data
// folder; and the administrator's choices for every run, in section "Validation".
class SettingsStore {
public:
    // The full path of BANKSERV.INI; empty while the common application-data folder cannot be
    // determined. The first success is kept for the store's life.
    CString SettingsFilePath();

    // The folder that holds BANKSERV.INI; empty while its path is.
    std::string SettingsFolder();

    // Replaces `value` with the stored one when the file holds a non-empty value for `key`
    // (at most 258 characters come back); otherwise leaves it as the caller set it.
    bool ReadSetting(const CString& key, CString& value);

    // Stores `value` under `key`, creating the section, and the file if its folder exists.
    bool WriteSetting(const CString& key, const CString& value);

    // Whether an administrator turned the account number check on: ModulusCheck=1 in section
    // "Validation". Any other value, or none, leaves it off.
    bool AccountCheckEnabled();

    // How many days back an administrator asked the payment run to look for payments written
    // twice: DuplicateDays=N in section "Validation", N from 1 to kMaxDuplicateDays. Nothing (the
    // check off) for 0, any other value, or none.
    std::optional<int> DuplicateDays();

private:
    CString path_;
    bool pathComputed_ = false;
};

constexpr int kMaxDuplicateDays = 400;

// A number of days as DuplicateDays and `varrow export --duplicate-days` take it: a whole number
// from 0 to kMaxDuplicateDays written in digits alone; nothing for any other text.
std::optional<int> ParseDuplicateDays(std::string_view text);

// The store of this module, which the payment run uses.
SettingsStore& ModuleSettingsStore();
