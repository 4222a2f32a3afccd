#include "bank/host_payments.h"

std::u16string TextOf(BSTR text) {
    if (!text) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

std::u16string HostPayment::Text(TextGetter get) const {
    UniqueBstr text;
    payment_.Raising([&](ITeskPayment& payment) { return (payment.*get)(text.Receive()); });
    return TextOf(text.Get());
}

double HostPayment::Value() const {
    double value = 0;
    payment_.Raising([&](ITeskPayment& payment) { return payment.get_Value(&value); });
    return value;
}

std::u16string HostPayment::PayerBankBACSReference() const { return Text(&ITeskPayment::get_PayerBankBACSReference); }
std::u16string HostPayment::PayerBankSortCode() const { return Text(&ITeskPayment::get_PayerBankSortCode); }
std::u16string HostPayment::PayerBankAccountNumber() const { return Text(&ITeskPayment::get_PayerBankAccountNumber); }
std::u16string HostPayment::PayerBankAccountName() const { return Text(&ITeskPayment::get_PayerBankAccountName); }
std::u16string HostPayment::PayerBuildingSocietyRollNumber() const {
    return Text(&ITeskPayment::get_PayerBuildingSocietyRollNumber);
}
std::u16string HostPayment::PayeeBankBACSReference() const { return Text(&ITeskPayment::get_PayeeBankBACSReference); }
std::u16string HostPayment::PayeeBankSortCode() const { return Text(&ITeskPayment::get_PayeeBankSortCode); }
std::u16string HostPayment::PayeeBankAccountNumber() const { return Text(&ITeskPayment::get_PayeeBankAccountNumber); }
std::u16string HostPayment::PayeeBankAccountName() const { return Text(&ITeskPayment::get_PayeeBankAccountName); }
std::u16string HostPayment::PayeeBuildingSocietyRollNumber() const {
    return Text(&ITeskPayment::get_PayeeBuildingSocietyRollNumber);
}
std::u16string HostPayment::Reference() const { return Text(&ITeskPayment::get_Reference); }
std::u16string HostPayment::Details() const { return Text(&ITeskPayment::get_Details); }

std::int16_t HostPayment::Currency() const {
    SHORT currency = 0;
    payment_.Raising([&](ITeskPayment& payment) { return payment.get_Currency(&currency); });
    return currency;
}

double HostPayment::Date() const {
    DATE date = 0;
    payment_.Raising([&](ITeskPayment& payment) { return payment.get_Date(&date); });
    return date;
}

std::int32_t HostPayment::Status() const {
    LONG status = 0;
    payment_.Raising([&](ITeskPayment& payment) { return payment.get_Status(&status); });
    return status;
}

void HostPayment::SetStatus(std::int32_t status) {
    payment_.Raising([&](ITeskPayment& payment) { return payment.put_Status(status); });
}

std::u16string HostPayment::ClientReference() const {
    UniqueVariant reference;
    payment_.Raising([&](ITeskPayment& payment) { return payment.get_ClientReference(&reference.Get()); });
    UniqueVariant text;
    if (FAILED(::VariantChangeType(&text.Get(), &reference.Get(), 0, VT_BSTR))) return {};
    return TextOf(V_BSTR(&text.Get()));
}

std::int32_t HostPayments::Count() const {
    LONG count = 0;
    payments_.Raising([&](ITeskPayments& payments) { return payments.get_Count(&count); });
    return count;
}

std::unique_ptr<Payment> HostPayments::Item(std::int32_t index) {
    // What a failing call left in the out-pointer is not ours to release.
    ITeskPayment* payment = nullptr;
    const HRESULT hr = payments_.Unchecked([&](ITeskPayments& payments) { return payments.get_Item(index, &payment); });
    if (FAILED(hr)) {
        // The run goes on without the payment, or ends with ResultCode 2: no failure of Process.
        ForgetHostFailure();
        return nullptr;
    }
    if (!payment) return nullptr;
    return std::make_unique<HostPayment>(ComPtr<ITeskPayment>(payment));
}
