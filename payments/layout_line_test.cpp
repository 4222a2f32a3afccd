#include "payments/layout_line.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "payments/payment_test_support.h"

namespace {

using testing_support::DescribeFieldDifferences;

TEST(LayoutLine, WritesTheLayoutsFieldsWithTheirRules) {
    std::string out;
    LayoutLine(kBulkListRecord)
        .Set(FieldContent::Amount, "12.50")
        .Set(FieldContent::PayeeSortCode, "200000")
        .Set(FieldContent::PayeeAccountNumber, "87654321")
        .Set(FieldContent::PayeeName, "O'Brien, a name much longer than eighteen")
        .Set(FieldContent::BacsReference, "inv 42")
        .Set(FieldContent::RollNumber, "")
        .Set(FieldContent::TemplateName, "not in this record")
        .AppendTo(out);
    EXPECT_EQ(DescribeFieldDifferences(out, 80,
                                       {{4, "07"}, {8, "INV 42"}, {16, "GBP"}, {17, "12.50"}, {25, "200000"},
                                        {31, "87654321"}, {33, "OBRIEN A NAME MUCH"}}),
              "")
        << out;
}

TEST(LayoutLine, AValueMissingForTheLayoutIsAMistakeOfTheWriter) {
    std::string out;
    LayoutLine line(kAdHocBulkHeader);
    line.Set(FieldContent::FileName, "x").Set(FieldContent::PayerAccount, "12345612345678");
    EXPECT_THROW(line.AppendTo(out), std::logic_error);
    EXPECT_TRUE(line.Carries(FieldContent::FileName));
    EXPECT_FALSE(line.Carries(FieldContent::Currency));
}

}  // namespace
