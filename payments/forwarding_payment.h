#pragma once
#include <memory>

#include "payments/payment.h"

// A payment that hands every call on to another, for a wrapper that changes one or two of them.
class ForwardingPayment : public Payment {
public:
    explicit ForwardingPayment(std::unique_ptr<Payment> inner) : inner_(std::move(inner)) {}

    double Value() const override { return inner_->Value(); }
    std::u16string PayerBankBACSReference() const override { return inner_->PayerBankBACSReference(); }
    std::u16string PayerBankSortCode() const override { return inner_->PayerBankSortCode(); }
    std::u16string PayerBankAccountNumber() const override { return inner_->PayerBankAccountNumber(); }
    std::u16string PayerBankAccountName() const override { return inner_->PayerBankAccountName(); }
    std::u16string PayerBuildingSocietyRollNumber() const override { return inner_->PayerBuildingSocietyRollNumber(); }
    std::u16string PayeeBankBACSReference() const override { return inner_->PayeeBankBACSReference(); }
    std::u16string PayeeBankSortCode() const override { return inner_->PayeeBankSortCode(); }
    std::u16string PayeeBankAccountNumber() const override { return inner_->PayeeBankAccountNumber(); }
    std::u16string PayeeBankAccountName() const override { return inner_->PayeeBankAccountName(); }
    std::u16string PayeeBuildingSocietyRollNumber() const override { return inner_->PayeeBuildingSocietyRollNumber(); }
    std::u16string Reference() const override { return inner_->Reference(); }
    std::u16string Details() const override { return inner_->Details(); }
    std::int16_t Currency() const override { return inner_->Currency(); }
    double Date() const override { return inner_->Date(); }
    std::int32_t Status() const override { return inner_->Status(); }
    void SetStatus(std::int32_t status) override { inner_->SetStatus(status); }
    std::u16string ClientReference() const override { return inner_->ClientReference(); }

protected:
    const Payment& Inner() const { return *inner_; }

private:
    std::unique_ptr<Payment> inner_;
};
