#include "settings/settings_keys.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    AccountForKeys account;
    const char* suffix;
};

TEST(AccountKeySuffix, BuiltFromWhatTheHostGave) {
    const Row rows[] = {
        {"no service filter or no account", {false, u"12-34-56", u"87654321"}, ""},
        {"sort code and number", {true, u"12-34-56", u"87654321"}, "123456_87654321"},
        {"sort code call failed", {true, std::nullopt, u"87654321"}, "_87654321"},
        {"sort code without digits", {true, u"n/a", u"87654321"}, "_87654321"},
        {"number call failed", {true, u"12 34 56", std::nullopt}, "123456_"},
        {"both calls failed", {true, std::nullopt, std::nullopt}, "_"},
        {"number kept as given", {true, u"123456", u"8765-4321 X"}, "123456_8765-4321 X"},
        {"number with a line break", {true, u"123456", u"1\r\n[x]"}, "123456_1__[x]"},
        {"number with an equals sign", {true, u"123456", u"87=65"}, "123456_87_65"},
        {"sort code typed with en dashes", {true, u"12\u201334\u201356", u"87654321"}, "123456_87654321"},
        {"sort code beyond the first 256 bytes", {true, std::u16string(250, u' ') + u"12\u2013345678", u"1"},
         "12345_1"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AccountKeySuffix(row.account).View(), row.suffix) << row.name;
    }
}

TEST(SettingsKeys, PrefixesFollowedByTheSuffix) {
    EXPECT_EQ(TemplateKey("").View(), "VarrowQuidlaneTemplate");
    EXPECT_EQ(BeneficiaryReferenceKey("").View(), "VarrowQuidlaneBenRef");
    EXPECT_EQ(TemplateKey("123456_87654321").View(), "VarrowQuidlaneTemplate123456_87654321");
    EXPECT_EQ(BeneficiaryReferenceKey("123456_87654321").View(), "VarrowQuidlaneBenRef123456_87654321");
}

}  // namespace
