#pragma once
// The host's payment collection and its payments behind the portable Payments and Payment, so the
// run, the dialog and the writers work on the host's own objects. A failing property call raises
// a COM-call failure; a payment that cannot be fetched is no payment (nullptr).
#include <memory>

#include "host/generated_interfaces.h"
#include "payments/payment.h"
#include "server/host_object.h"

class HostPayment : public Payment {
public:
    explicit HostPayment(ComPtr<ITeskPayment> payment) noexcept : payment_(std::move(payment)) {}

    double Value() const override;
    std::u16string PayerBankBACSReference() const override;
    std::u16string PayerBankSortCode() const override;
    std::u16string PayerBankAccountNumber() const override;
    std::u16string PayerBankAccountName() const override;
    std::u16string PayerBuildingSocietyRollNumber() const override;
    std::u16string PayeeBankBACSReference() const override;
    std::u16string PayeeBankSortCode() const override;
    std::u16string PayeeBankAccountNumber() const override;
    std::u16string PayeeBankAccountName() const override;
    std::u16string PayeeBuildingSocietyRollNumber() const override;
    std::u16string Reference() const override;
    std::u16string Details() const override;
    std::int16_t Currency() const override;
    double Date() const override;
    std::int32_t Status() const override;
    void SetStatus(std::int32_t status) override;
    // The client's reference as text, when it has a text form; empty otherwise.
    std::u16string ClientReference() const override;

private:
    using TextGetter = HRESULT (STDMETHODCALLTYPE ITeskPayment::*)(BSTR*);
    std::u16string Text(TextGetter get) const;

    HostObject<ITeskPayment> payment_;
};

class HostPayments : public Payments {
public:
    // Holds its own reference on `payments` (not null) for its life.
    explicit HostPayments(ITeskPayments* payments) noexcept : payments_(Retain(payments)) {}

    std::int32_t Count() const override;
    std::unique_ptr<Payment> Item(std::int32_t index) override;

private:
    HostObject<ITeskPayments> payments_;
};

// Host text as the core holds it: a null BSTR is empty text.
std::u16string TextOf(BSTR text);
