#include "payments/status_codes.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(StatusText, CodesWithTextGiveTheirText) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "Payment processed successfully."},
        {20, "This payment is valid but the payment batch has been rejected because of errors elsewhere."},
        {21, "Invalid Amount specified for payment: negative payments not supported."},
        {22, "Invalid Payer BACS Reference. This value must comprise only numeric values, and be no more than 4 digits long."},
        {23, "Invalid Payer Sort Code: the sort code must contain exactly 6 digits."},
        {24, "Invalid Payer Bank Account Number: the account number must be 8 digits and a numeric value."},
        {25, "Invalid or missing Payer bank account name."},
        {26, "Invalid or missing Payer Building Society roll number."},
        {27, "Invalid Payee BACS Reference. This value must comprise only numeric values, and be no more than 4 digits long."},
        {28, "Invalid Payee Sort Code: the sort code must contain exactly 6 digits."},
        {29, "Invalid Payee Bank Account Number: the account number must be 8 digits and a numeric value."},
        {30, "Invalid or missing Payee bank account name."},
        {31, "Invalid or missing Payee Building Society roll number."},
        {32, "Invalid or missing reference field."},
        {33, "Invalid or missing details field."},
        {34, "Invalid or unknown currency specified."},
        {35, "An error occurred with the status field."},
        {36, "Payee sort code and account number fail the bank's account number check: please check the payee's bank details."},
    };
    for (const auto& [code, text] : cases) {
        const auto actual = StatusText(code);
        ASSERT_TRUE(actual) << "code " << code << " gave nothing";
        EXPECT_EQ(*actual, text) << "code " << code;
    }
}

TEST(StatusText, CodesWithoutTextGiveNothing) {
    std::vector<std::int32_t> codes = {37, 40, 300, 340, -1, -300, INT_MIN, INT_MAX};
    for (std::int32_t code = 1; code <= 19; ++code) codes.push_back(code);  // 1 is the IAT mark
    for (const auto code : codes) {
        const auto actual = StatusText(code);
        EXPECT_FALSE(actual) << "code " << code << " gave [" << actual.value_or("") << "]";
    }
}

}  // namespace
