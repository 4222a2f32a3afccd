#include "accounts/account_standardisation.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kMalformed = "malformed";

TEST(StandardiseAccount, FormsTheFourteenDigitsOrRefusesTheInput) {
    const struct {
        const char* sortCode;
        const char* account;
        const char* expected;  // the fourteen digits
    } cases[] = {
        {"200000", "01234567", "20000001234567"},
        {"20-00-00", "0123-4567", "20000001234567"},  // spaces and hyphens go, wherever they stand
        {" 20 00 00 ", " 01 23 45 67 ", "20000001234567"},
        {"2000000", "01234567", kMalformed},
        {"20000", "01234567", kMalformed},
        {"20.00.00", "01234567", kMalformed},
        {"20000a", "01234567", kMalformed},
        {"200000", "", kMalformed},
        {"200000", "12345", kMalformed},
        {"200000", "12345678901", kMalformed},
        {"200000", "0123456x", kMalformed},
        {"200000", "0123\t4567", kMalformed},
        // Six or seven digits: zeros in front.
        {"200000", "123456", "20000000123456"},
        {"200000", "12-34-567", "20000001234567"},
        // Ten digits: the first eight for sort codes from 08 (Co-operative Bank), else the last eight.
        {"089000", "1234567890", "08900012345678"},
        {"079999", "0123456789", "07999923456789"},
        {"600000", "01-23456789", "60000023456789"},
        {"090000", "0123456789", "09000023456789"},
        // Nine digits: Santander's rule in its ranges, else the first digit goes.
        {"090000", "723456789", "09000723456789"},
        {"091900", "723456789", "09190723456789"},
        {"091901", "723456789", "09190123456789"},
        {"089999", "723456789", "08999923456789"},
        {"729999", "123456789", "72999123456789"},
        {"892999", "123456789", "89299123456789"},
        {"893000", "123456789", "89300023456789"},
        {"165710", "723456789", "16571723456789"},
        {"165711", "723456789", "16571123456789"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const auto number = StandardiseAccount(c.sortCode, c.account);
        const std::string actual = number ? number->Text() : kMalformed;
        EXPECT_EQ(actual, c.expected) << "case " << i + 1 << ": [" << c.sortCode << "] [" << c.account << "]";
    }
}

}  // namespace
