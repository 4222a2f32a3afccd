#include "payments/memory_payment.h"

#include <limits>

namespace {

class RecordPayment final : public Payment {
public:
    explicit RecordPayment(PaymentRecord& record) : record_(record) {}

    double Value() const override { return record_.Value; }
    std::u16string PayerBankBACSReference() const override { return record_.PayerBankBACSReference; }
    std::u16string PayerBankSortCode() const override { return record_.PayerBankSortCode; }
    std::u16string PayerBankAccountNumber() const override { return record_.PayerBankAccountNumber; }
    std::u16string PayerBankAccountName() const override { return record_.PayerBankAccountName; }
    std::u16string PayerBuildingSocietyRollNumber() const override { return record_.PayerBuildingSocietyRollNumber; }
    std::u16string PayeeBankBACSReference() const override { return record_.PayeeBankBACSReference; }
    std::u16string PayeeBankSortCode() const override { return record_.PayeeBankSortCode; }
    std::u16string PayeeBankAccountNumber() const override { return record_.PayeeBankAccountNumber; }
    std::u16string PayeeBankAccountName() const override { return record_.PayeeBankAccountName; }
    std::u16string PayeeBuildingSocietyRollNumber() const override { return record_.PayeeBuildingSocietyRollNumber; }
    std::u16string Reference() const override { return record_.Reference; }
    std::u16string Details() const override { return record_.Details; }
    std::int16_t Currency() const override { return record_.Currency; }
    double Date() const override { return record_.Date; }
    std::int32_t Status() const override { return record_.Status; }
    void SetStatus(std::int32_t status) override { record_.Status = status; }
    std::u16string ClientReference() const override { return record_.ClientReference; }

private:
    PaymentRecord& record_;
};

}  // namespace

std::unique_ptr<Payment> MakeRecordPayment(PaymentRecord& record) { return std::make_unique<RecordPayment>(record); }

std::int32_t MemoryPayments::Count() const {
    // The host's Count is a long; a collection never holds more in practice, but do not wrap.
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(records_.size() < kMax ? records_.size() : kMax);
}

std::unique_ptr<Payment> MemoryPayments::Item(std::int32_t index) {
    if (index < 0 || index >= Count()) return nullptr;
    return MakeRecordPayment(records_[static_cast<std::size_t>(index)]);
}
