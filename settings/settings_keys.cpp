#include "settings/settings_keys.h"

#include <algorithm>

#include "common/text_conversion.h"
#include "platform/code_page.h"

namespace {

// The host's sort code as the ANSI code page gives it, of which this many bytes are looked at.
constexpr std::size_t kSortCodeBytes = 256;

// A character the settings file cannot hold in a key: a line break or other control character
// would split the key's line and plant text of its own there, and an equals sign would end the
// key early, so that it never reads back and each run adds a line. No real account number holds one.
bool BreaksKey(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '='; }

}  // namespace

CString AccountKeySuffix(const AccountForKeys& account) {
    CString suffix;
    if (!account.accountObtained) return suffix;
    if (account.sortCode) {
        // Not the payment export's conversion, which would stop at a dash typed as U+2013.
        const std::string ansi = platform::WideToAnsi(*account.sortCode);
        suffix = CString(std::string_view(DigitsOnly(std::string_view(ansi).substr(0, kSortCodeBytes))));
    }
    suffix += "_";
    if (account.accountNumber) {
        std::string number = platform::WideToAnsi(*account.accountNumber);
        std::replace_if(number.begin(), number.end(), BreaksKey, '_');
        suffix += CString(std::string_view(number));
    }
    return suffix;
}

CString TemplateKey(const CString& suffix) {
    CString key("VarrowQuidlaneTemplate");
    key += suffix;
    return key;
}

CString BeneficiaryReferenceKey(const CString& suffix) {
    CString key("VarrowQuidlaneBenRef");
    key += suffix;
    return key;
}
