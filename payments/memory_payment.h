#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "payments/payment.h"

// One payment held in memory: the seventeen properties of the host's payment, as plain fields
// named after them. Text is UTF-16, as the host hands it over.
struct PaymentRecord {
    double Value = 0;
    std::u16string PayerBankBACSReference;
    std::u16string PayerBankSortCode;
    std::u16string PayerBankAccountNumber;
    std::u16string PayerBankAccountName;
    std::u16string PayerBuildingSocietyRollNumber;
    std::u16string PayeeBankBACSReference;
    std::u16string PayeeBankSortCode;
    std::u16string PayeeBankAccountNumber;
    std::u16string PayeeBankAccountName;
    std::u16string PayeeBuildingSocietyRollNumber;
    std::u16string Reference;
    std::u16string Details;
    std::int16_t Currency = 0;
    double Date = 0;
    std::int32_t Status = 0;
    std::u16string ClientReference;
};

// A payment collection in memory, for the command line and the tests. Each payment handed out
// reads its record and writes Status back into it.
class MemoryPayments : public Payments {
public:
    MemoryPayments() = default;
    explicit MemoryPayments(std::vector<PaymentRecord> records) : records_(std::move(records)) {}

    std::int32_t Count() const override;
    // nullptr outside 0..Count()-1, as a failed fetch from the host.
    std::unique_ptr<Payment> Item(std::int32_t index) override;

    std::vector<PaymentRecord>& Records() noexcept { return records_; }
    const std::vector<PaymentRecord>& Records() const noexcept { return records_; }

private:
    std::vector<PaymentRecord> records_;
};

// A Payment over one record that the caller keeps alive.
std::unique_ptr<Payment> MakeRecordPayment(PaymentRecord& record);
