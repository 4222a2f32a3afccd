#include "payments/payment_identity.h"

#include <gtest/gtest.h>

#include "payments/payment_test_support.h"

namespace {

// The fields of a line of `layout` with these values, as views into `storage`.
std::vector<std::string_view> Fields(const std::map<int, std::string>& values, std::vector<std::string>& storage) {
    storage = testing_support::SplitFields(testing_support::ExpectedLine(80, values));
    storage.back().erase(storage.back().size() - 2);  // the CR LF
    return {storage.begin(), storage.end()};
}

TEST(PaymentIdentity, IsThePayeeTheAmountAndTheReferenceAsWritten) {
    std::vector<std::string> a, b, c, d;
    const auto paid = IdentityOf(kStandardPayment, Fields({{25, "200000"}, {31, "87654321"}, {17, "10.00"}, {33, "A"}, {37, "R1"}}, a));
    const auto renamed = IdentityOf(kStandardPayment, Fields({{25, "200000"}, {31, "87654321"}, {17, "10.00"}, {33, "B"}, {37, "R1"}}, b));
    const auto otherReference = IdentityOf(kStandardPayment, Fields({{25, "200000"}, {31, "87654321"}, {17, "10.00"}, {37, "R2"}}, c));
    const auto asTransfer = IdentityOf(kStandardTransfer, Fields({{25, "200000"}, {31, "87654321"}, {17, "10.00"}, {40, "R1"}}, d));
    ASSERT_TRUE(paid && renamed && otherReference && asTransfer);
    EXPECT_EQ(*paid, *renamed);  // the payee's name is no part of it
    EXPECT_FALSE(*paid == *otherReference);
    EXPECT_FALSE(*paid == *asTransfer);  // another record type
}

TEST(PaymentIdentity, ATemplateRecordIsKnownByItsTemplate) {
    std::vector<std::string> a, b, c;
    const auto rent = IdentityOf(kTemplatePayment, Fields({{6, "RENT"}, {17, "5.00"}, {37, "Q1"}}, a));
    const auto rates = IdentityOf(kTemplatePayment, Fields({{6, "RATES"}, {17, "5.00"}, {37, "Q1"}}, b));
    ASSERT_TRUE(rent && rates);
    EXPECT_FALSE(*rent == *rates);
    EXPECT_FALSE(IdentityOf(kBulkListHeader, Fields({{6, "RENT"}}, c)).has_value());
}

TEST(RepeatedPayments, GroupsEachRepeatedIdentityInTheOrderOfItsFirstRecord) {
    const PaymentIdentity x{"07", "a", "1.00", "r"}, y{"07", "b", "1.00", "r"};
    const std::vector<std::vector<std::size_t>> expected = {{0, 3}, {1, 2, 4}};
    EXPECT_EQ(RepeatedPayments({y, x, x, y, x}), expected);
    EXPECT_TRUE(RepeatedPayments({x, y}).empty());
}

}  // namespace
