#include "payments/memory_payment.h"

#include <gtest/gtest.h>

namespace {

PaymentRecord FullRecord() {
    PaymentRecord r;
    r.Value = 12.5;
    r.PayerBankBACSReference = u"a";
    r.PayerBankSortCode = u"b";
    r.PayerBankAccountNumber = u"c";
    r.PayerBankAccountName = u"d";
    r.PayerBuildingSocietyRollNumber = u"e";
    r.PayeeBankBACSReference = u"f";
    r.PayeeBankSortCode = u"g";
    r.PayeeBankAccountNumber = u"h";
    r.PayeeBankAccountName = u"i";
    r.PayeeBuildingSocietyRollNumber = u"j";
    r.Reference = u"k";
    r.Details = u"l";
    r.Currency = 826;
    r.Date = 46363.5;
    r.Status = 1;
    r.ClientReference = u"m";
    return r;
}

TEST(MemoryPayments, ItemReadsEveryPropertyOfItsRecord) {
    MemoryPayments payments({PaymentRecord{}, FullRecord()});
    const auto p = payments.Item(1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Value(), 12.5);
    EXPECT_EQ(p->PayerBankBACSReference(), u"a");
    EXPECT_EQ(p->PayerBankSortCode(), u"b");
    EXPECT_EQ(p->PayerBankAccountNumber(), u"c");
    EXPECT_EQ(p->PayerBankAccountName(), u"d");
    EXPECT_EQ(p->PayerBuildingSocietyRollNumber(), u"e");
    EXPECT_EQ(p->PayeeBankBACSReference(), u"f");
    EXPECT_EQ(p->PayeeBankSortCode(), u"g");
    EXPECT_EQ(p->PayeeBankAccountNumber(), u"h");
    EXPECT_EQ(p->PayeeBankAccountName(), u"i");
    EXPECT_EQ(p->PayeeBuildingSocietyRollNumber(), u"j");
    EXPECT_EQ(p->Reference(), u"k");
    EXPECT_EQ(p->Details(), u"l");
    EXPECT_EQ(p->Currency(), 826);
    EXPECT_EQ(p->Date(), 46363.5);
    EXPECT_EQ(p->Status(), 1);
    EXPECT_EQ(p->ClientReference(), u"m");
}

TEST(MemoryPayments, StatusIsWrittenBackIntoTheRecord) {
    MemoryPayments payments({PaymentRecord{}, PaymentRecord{}});
    payments.Item(1)->SetStatus(29);
    EXPECT_EQ(payments.Records()[1].Status, 29);
    EXPECT_EQ(payments.Records()[0].Status, 0);
    EXPECT_EQ(payments.Item(1)->Status(), 29);
}

TEST(MemoryPayments, NoPaymentOutsideTheCollection) {
    MemoryPayments payments({PaymentRecord{}, PaymentRecord{}, PaymentRecord{}});
    EXPECT_EQ(payments.Count(), 3);
    for (const std::int32_t index : {-1, 3, 4, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(payments.Item(index), nullptr) << "index " << index;
    }
    for (const std::int32_t index : {0, 1, 2}) EXPECT_NE(payments.Item(index), nullptr) << "index " << index;
    EXPECT_EQ(MemoryPayments().Count(), 0);
    EXPECT_EQ(MemoryPayments().Item(0), nullptr);
}

}  // namespace
