#include "settings/settings_keys.h"

#include <algorithm>

#include "common/text_conversion.h"
#include "platform/code_page.h"

CString AccountKeySuffix(const AccountForKeys& account) {
    CString suffix;
    if (!account.accountObtained) return suffix;
    if (account.sortCode) suffix = CString(std::string_view(ToDigitsOnly(*account.sortCode)));
    suffix += "_";
    if (account.accountNumber) {
        // A line break or other control character would split the settings file's line and
        // plant text of its own there; such a number is no real account number anyway.
        std::string number = platform::WideToAnsi(*account.accountNumber);
        std::replace_if(number.begin(), number.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '_');
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
