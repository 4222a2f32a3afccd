#pragma once
#include <cstdint>
#include <memory>
#include <string>

// A payment as the writers see it: the shape of the host's ITeskPayment. Text arrives as UTF-16,
// as the host hands it over. Every getter may throw when the object behind it fails.
class Payment {
public:
    virtual ~Payment() = default;

    virtual double Value() const = 0;
    virtual std::u16string PayerBankBACSReference() const = 0;
    virtual std::u16string PayerBankSortCode() const = 0;
    virtual std::u16string PayerBankAccountNumber() const = 0;
    virtual std::u16string PayerBankAccountName() const = 0;
    virtual std::u16string PayerBuildingSocietyRollNumber() const = 0;
    virtual std::u16string PayeeBankBACSReference() const = 0;
    virtual std::u16string PayeeBankSortCode() const = 0;
    virtual std::u16string PayeeBankAccountNumber() const = 0;
    virtual std::u16string PayeeBankAccountName() const = 0;
    virtual std::u16string PayeeBuildingSocietyRollNumber() const = 0;
    virtual std::u16string Reference() const = 0;
    virtual std::u16string Details() const = 0;
    virtual std::int16_t Currency() const = 0;
    virtual double Date() const = 0;
    // On the way in the Inter Account Transfer mark (non-zero), on the way out the status code.
    virtual std::int32_t Status() const = 0;
    virtual void SetStatus(std::int32_t status) = 0;
    virtual std::u16string ClientReference() const = 0;
};

// The host's payment collection (ITeskPayments): indexes run from 0 to Count() - 1.
class Payments {
public:
    virtual ~Payments() = default;
    virtual std::int32_t Count() const = 0;
    // The payment at `index`, or nullptr when it cannot be fetched.
    virtual std::unique_ptr<Payment> Item(std::int32_t index) = 0;
};
