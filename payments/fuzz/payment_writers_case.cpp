#include "payments/fuzz/payment_writers_case.h"

#include "tests/support/fuzz_input.h"

namespace {

// Characters a file name may hold on every platform, the field separator included.
constexpr std::string_view kFileNameCharacters = "abcdefghijklmnopqrstuvwxyz0123456789 ,;'.-_()&+=[]{}!#$%~";

PaymentRecord MakePayment(FuzzInput& in) {
    PaymentRecord p;
    p.Value = in.Raw<double>();
    for (std::u16string* text :
         {&p.PayerBankBACSReference, &p.PayerBankSortCode, &p.PayerBankAccountNumber, &p.PayerBankAccountName,
          &p.PayerBuildingSocietyRollNumber, &p.PayeeBankBACSReference, &p.PayeeBankSortCode, &p.PayeeBankAccountNumber,
          &p.PayeeBankAccountName, &p.PayeeBuildingSocietyRollNumber, &p.Reference, &p.Details, &p.ClientReference}) {
        *text = in.Text16(300);
    }
    p.Currency = in.Raw<std::int16_t>();
    p.Date = in.Raw<double>();
    p.Status = in.Raw<std::int32_t>();
    return p;
}

}  // namespace

PaymentWritersCase MakePaymentWritersCase(std::string_view bytes) {
    FuzzInput in(bytes);
    PaymentWritersCase c;
    c.options.format = static_cast<PaymentFormat>(in.Below(4));
    c.options.processingDate = in.Raw<double>();
    c.options.templateName = CString(std::string_view(in.Bytes(30)));
    c.options.beneficiaryReference = CString(std::string_view(in.Bytes(30)));
    c.fileName = "u" + in.From(kFileNameCharacters, 24);
    for (unsigned count = in.Below(6); count > 0; --count) c.payments.push_back(MakePayment(in));
    return c;
}

