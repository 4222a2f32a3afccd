#include "payments/payment_checks.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "common/text_conversion.h"
#include "payments/memory_payment.h"
#include "payments/status_codes.h"

namespace {

TEST(PaymentChecks, AmountMustExceedTheSinglePrecisionBound) {
    EXPECT_EQ(kSmallestAmount, 4.999999987376214e-07);
    const std::pair<double, bool> cases[] = {
        {100, true},
        {0.004, true},
        {0.01, true},
        {5e-7, true},  // above the bound as a double
        {std::nextafter(kSmallestAmount, 1.0), true},
        {kSmallestAmount, false},
        {4e-7, false},
        {0, false},
        {-0.0, false},
        {-5, false},
        {DBL_MAX, true},
        {std::numeric_limits<double>::quiet_NaN(), false},
        {std::numeric_limits<double>::infinity(), false},  // no amount to pay
        {-std::numeric_limits<double>::infinity(), false},
    };
    for (const auto& [value, passes] : cases) EXPECT_EQ(AmountPasses(value), passes) << "value " << value;
}

TEST(PaymentChecks, SortCodeNeedsExactlySixDigits) {
    const std::pair<std::u16string, bool> cases[] = {
        {u"12-34-56", true}, {u"12 34 56", true}, {u"123456", true},   {u"ab123456cd", true},
        {u"1234567", false}, {u"12345", false},   {u"", false},        {u"12-34-5\u0100" u"6", false},
        {u"\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16", false},  // full-width digits are no digits
    };
    for (const auto& [code, passes] : cases) {
        EXPECT_EQ(SortCodePasses(ToDigitsOnly(code)), passes) << "sort code of " << code.size() << " units";
    }
}

TEST(PaymentChecks, AccountNumberNeedsEightDigitsAndNothingElse) {
    const std::pair<std::string, bool> cases[] = {
        {"12345678", true},  {"01234567", true},  {"00000000", true},   {"1234567", false},
        {"123456789", false}, {"1234 5678", false}, {" 1234567", false}, {"1234567 ", false},
        {"1234-567", false},  {"1234,567", false}, {"abcdefgh", false},  {"", false},
        {"1234567\xB9", false},
    };
    for (const auto& [number, passes] : cases) EXPECT_EQ(AccountNumberPasses(number), passes) << "[" << number << "]";
}

TEST(PaymentChecks, PayeeNameOnlyMustNotBeEmpty) {
    EXPECT_TRUE(PayeeNamePasses(u"J. Smith & Co"));
    EXPECT_TRUE(PayeeNamePasses(u"****"));
    EXPECT_TRUE(PayeeNamePasses(u"\u4E2D"));  // converts to nothing, but was given
    EXPECT_TRUE(PayeeNamePasses(u" "));
    EXPECT_FALSE(PayeeNamePasses(u""));
}

TEST(StatusKeeper, StartsAtZeroAndKeepsTheLastFailure) {
    PaymentRecord record;
    record.Status = 1;
    const auto payment = MakeRecordPayment(record);
    StatusKeeper status(*payment);
    EXPECT_EQ(record.Status, 0);
    EXPECT_TRUE(status.AllPassed());
    status.Record(true, 21);
    EXPECT_EQ(record.Status, 0);
    status.Record(false, 23);
    status.Record(true, 24);
    status.Record(false, 29);
    status.Record(true, 30);
    EXPECT_EQ(record.Status, 29);
    EXPECT_FALSE(status.AllPassed());
}

TEST(CheckGroups, EachGroupChecksInItsOrder) {
    PaymentRecord record;
    const auto payment = MakeRecordPayment(record);
    {
        StatusKeeper status(*payment);
        CheckPayerAccount(status, {"12345", "1234567x"});
        EXPECT_EQ(record.Status, status::kInvalidPayerAccountNumber);
    }
    {
        StatusKeeper status(*payment);
        CheckPayerAccount(status, {"12345", "12345678"});
        EXPECT_EQ(record.Status, status::kInvalidPayerSortCode);
    }
    {
        StatusKeeper status(*payment);
        CheckPayeeAccount(status, {"1234567", "1234"});
        EXPECT_EQ(record.Status, status::kInvalidPayeeAccountNumber);
    }
    {
        StatusKeeper status(*payment);
        CheckPayeeAccount(status, {"1234567", "12345678"});
        EXPECT_EQ(record.Status, status::kInvalidPayeeSortCode);
    }
    {
        StatusKeeper status(*payment);
        CheckAmount(status, -1);
        EXPECT_EQ(record.Status, status::kInvalidAmount);
        CheckPayeeName(status, u"");
        EXPECT_EQ(record.Status, status::kInvalidPayeeName);
    }
    {
        StatusKeeper status(*payment);
        CheckPayerAccount(status, {"123456", "12345678"});
        CheckAmount(status, 1);
        CheckPayeeAccount(status, {"123456", "12345678"});
        CheckPayeeName(status, u"x");
        EXPECT_EQ(record.Status, 0);
        EXPECT_TRUE(status.AllPassed());
    }
}

}  // namespace
