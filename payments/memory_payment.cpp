#include "payments/memory_payment.h"

#include <limits>

namespace {

class RecordPayment final : public Payment {
public:
    explicit RecordPayment(PaymentRecord& record) : m_record(record) {}

    double Value() const override { return m_record.Value; }
    std::u16string PayerBankBACSReference() const override { return m_record.PayerBankBACSReference; }
    std::u16string PayerBankSortCode() const override { return m_record.PayerBankSortCode; }
    std::u16string PayerBankAccountNumber() const override { return m_record.PayerBankAccountNumber; }
    std::u16string PayerBankAccountName() const override { return m_record.PayerBankAccountName; }
    std::u16string PayerBuildingSocietyRollNumber() const override { return m_record.PayerBuildingSocietyRollNumber; }
    std::u16string PayeeBankBACSReference() const override { return m_record.PayeeBankBACSReference; }
    std::u16string PayeeBankSortCode() const override { return m_record.PayeeBankSortCode; }
    std::u16string PayeeBankAccountNumber() const override { return m_record.PayeeBankAccountNumber; }
    std::u16string PayeeBankAccountName() const override { return m_record.PayeeBankAccountName; }
    std::u16string PayeeBuildingSocietyRollNumber() const override { return m_record.PayeeBuildingSocietyRollNumber; }
    std::u16string Reference() const override { return m_record.Reference; }
    std::u16string Details() const override { return m_record.Details; }
    std::int16_t Currency() const override { return m_record.Currency; }
    double Date() const override { return m_record.Date; }
    std::int32_t Status() const override { return m_record.Status; }
    void SetStatus(std::int32_t status) override { m_record.Status = status; }
    std::u16string ClientReference() const override { return m_record.ClientReference; }

private:
    PaymentRecord& m_record;
};

}  // namespace

std::unique_ptr<Payment> MakeRecordPayment(PaymentRecord& record) { return std::make_unique<RecordPayment>(record); }

std::int32_t MemoryPayments::Count() const {
    // The host's Count is a long; a collection never holds more in practice, but do not wrap.
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(m_records.size() < kMax ? m_records.size() : kMax);
}

std::unique_ptr<Payment> MemoryPayments::Item(std::int32_t index) {
    if (index < 0 || index >= Count()) return nullptr;
    return MakeRecordPayment(m_records[static_cast<std::size_t>(index)]);
}
