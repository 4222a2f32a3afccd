#include "options/payment_list_rows.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "payments/memory_payment.h"

namespace {

PaymentRecord Record(std::u16string sortCode, double value, std::int32_t status) {
    PaymentRecord r;
    r.PayeeBankSortCode = std::move(sortCode);
    r.PayeeBankAccountNumber = u"87654321";
    r.PayeeBankAccountName = u"J. Smith & Co";
    r.PayeeBankBACSReference = u"inv 42";
    r.Details = u"December rent";
    r.Value = value;
    r.Status = status;
    return r;
}

TEST(PaymentListRows, OneRowPerPaymentWithItsCells) {
    MemoryPayments payments({Record(u"20-00-00", 1234.5, 0), Record(u"40-11-22", -3, 1)});
    const auto rows = PaymentListRows(payments);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].paymentIndex, 0);
    EXPECT_EQ(rows[0].sortCode, "20-00-00");
    EXPECT_EQ(rows[0].accountNumber, "87654321");
    EXPECT_EQ(rows[0].name, "J. Smith & Co");
    EXPECT_EQ(rows[0].amount, "1234.50");
    EXPECT_EQ(rows[0].reference, "inv 42");
    EXPECT_EQ(rows[0].details, "December rent");
    EXPECT_EQ(rows[0].isIat, "No");
    EXPECT_EQ(rows[1].amount, "-3.00");
    EXPECT_EQ(rows[1].isIat, "Yes");
}

TEST(PaymentListRows, CellsAreCutToTheirWidths) {
    PaymentRecord r;
    r.PayeeBankSortCode = std::u16string(40, u'1');
    r.PayeeBankAccountNumber = std::u16string(40, u'2');
    r.PayeeBankAccountName = std::u16string(40, u'n');
    r.PayeeBankBACSReference = std::u16string(40, u'r');
    r.Details = std::u16string(300, u'd');
    MemoryPayments payments({r});
    const auto row = PaymentListRows(payments).at(0);
    EXPECT_EQ(row.sortCode.size(), 10u);
    EXPECT_EQ(row.accountNumber.size(), 29u);
    EXPECT_EQ(row.name.size(), 31u);
    EXPECT_EQ(row.reference.size(), 31u);
    EXPECT_EQ(row.details.size(), 254u);
}

// A payment of the host that cannot tell its payee's name.
class NamelessPayment : public Payment {
public:
    explicit NamelessPayment(PaymentRecord& record) : inner_(MakeRecordPayment(record)) {}
    double Value() const override { return inner_->Value(); }
    std::u16string PayerBankBACSReference() const override { return {}; }
    std::u16string PayerBankSortCode() const override { return {}; }
    std::u16string PayerBankAccountNumber() const override { return {}; }
    std::u16string PayerBankAccountName() const override { return {}; }
    std::u16string PayerBuildingSocietyRollNumber() const override { return {}; }
    std::u16string PayeeBankBACSReference() const override { return inner_->PayeeBankBACSReference(); }
    std::u16string PayeeBankSortCode() const override { return inner_->PayeeBankSortCode(); }
    std::u16string PayeeBankAccountNumber() const override { return inner_->PayeeBankAccountNumber(); }
    std::u16string PayeeBankAccountName() const override { throw std::runtime_error("host failed"); }
    std::u16string PayeeBuildingSocietyRollNumber() const override { return {}; }
    std::u16string Reference() const override { return {}; }
    std::u16string Details() const override { return inner_->Details(); }
    std::int16_t Currency() const override { return 0; }
    double Date() const override { return 0; }
    std::int32_t Status() const override { return inner_->Status(); }
    void SetStatus(std::int32_t status) override { inner_->SetStatus(status); }
    std::u16string ClientReference() const override { return {}; }

private:
    std::unique_ptr<Payment> inner_;
};

// A host collection whose payment 1 cannot be fetched.
class FailingPayments : public Payments {
public:
    std::int32_t Count() const override { return 3; }
    std::unique_ptr<Payment> Item(std::int32_t index) override {
        if (index == 1) return nullptr;
        return std::make_unique<NamelessPayment>(records_.at(static_cast<std::size_t>(index)));
    }

private:
    std::vector<PaymentRecord> records_{Record(u"1", 1, 0), Record(u"2", 2, 0), Record(u"3", 3, 0)};
};

TEST(PaymentListRows, UnfetchablePaymentGivesNoRowAndFailingPropertyAnEmptyCell) {
    FailingPayments payments;
    const auto rows = PaymentListRows(payments);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].paymentIndex, 0);
    EXPECT_EQ(rows[1].paymentIndex, 2);
    EXPECT_EQ(rows[1].sortCode, "3");
    EXPECT_EQ(rows[1].name, "");
    EXPECT_EQ(rows[1].amount, "3.00");
}


// The dialog's list reads its rows one by one: the same rows, found without reading their cells.
TEST(PaymentListRows, RowByRowGivesTheSameRows) {
    FailingPayments payments;
    const auto rows = PaymentListRows(payments);
    const auto listed = ListedPayments(payments);
    ASSERT_EQ(listed.size(), rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const PaymentListRow one = PaymentListRowAt(payments, listed[row]);
        EXPECT_EQ(one.paymentIndex, rows[row].paymentIndex) << "row " << row;
        EXPECT_EQ(one.sortCode + one.name + one.amount + one.isIat,
                  rows[row].sortCode + rows[row].name + rows[row].amount + rows[row].isIat)
            << "row " << row;
    }
    const PaymentListRow gone = PaymentListRowAt(payments, 1);  // no longer fetched: empty cells
    EXPECT_EQ(gone.sortCode + gone.amount + gone.isIat, "");
}

}  // namespace
