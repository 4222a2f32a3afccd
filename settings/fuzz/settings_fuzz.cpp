// Fuzz target: the settings keys built from any account the host may name, and the settings file
// on any content. A value stored under an account's key reads back under it, the value of another
// account stays as it was, and nothing read is longer than the store asks for.
#include <exception>

#include "platform/profile.h"
#include "settings/settings_keys.h"
#include "tests/support/fuzz_check.h"
#include "tests/support/fuzz_input.h"
#include "tests/support/temp_dir.h"

namespace {

using Problems = std::vector<std::string>;

constexpr char kSection[] = "MIGRATED";
constexpr std::size_t kReadRequest = 259;
// What the options dialog's boxes hand back and the platform keeps as typed: no blanks or quotes
// at the ends, which the profile calls strip on reading.
constexpr std::string_view kValueCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz0123456789-_/.&";

AccountForKeys MakeAccount(FuzzInput& in) {
    AccountForKeys account;
    const unsigned given = in.Below(8);
    account.accountObtained = (given & 1) != 0;
    if (given & 2) account.sortCode = in.Text16(40);
    if (given & 4) account.accountNumber = in.Text16(40);
    return account;
}

std::string Shown(const CString& key) { return "\"" + std::string(key.View().substr(0, 80)) + "\""; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string Read(const CString& key, const std::string& file, Problems& problems) {
    const std::string value = platform::ReadProfileValue(kSection, key.GetString(), "", kReadRequest, file);
    if (value.size() >= kReadRequest) problems.push_back("read " + std::to_string(value.size()) + " characters");
    return value;
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    static const TempDir folder;
    Problems problems;
    try {
        FuzzInput in(input);
        const CString key = TemplateKey(AccountKeySuffix(MakeAccount(in)));
        const CString other = BeneficiaryReferenceKey(AccountKeySuffix(MakeAccount(in)));
        const std::string value = in.From(kValueCharacters, 20);
        const std::string file = folder.Write("BANKSERV.INI", in.Rest());

        Read(key, file, problems);
        const std::string otherBefore = Read(other, file, problems);
        if (!platform::WriteProfileValue(kSection, key.GetString(), value, file)) {
            problems.push_back("cannot write " + Shown(key));
            return problems;
        }
        if (Read(key, file, problems) != value) problems.push_back(Shown(key) + " does not read back what was written");
        if (!SameIgnoringCase(key.View(), other.View()) && Read(other, file, problems) != otherBefore) {
            problems.push_back("writing " + Shown(key) + " changed " + Shown(other));
        }
    } catch (const std::exception& e) {
        problems.push_back(std::string("raised: ") + e.what());
    }
    return problems;
}
