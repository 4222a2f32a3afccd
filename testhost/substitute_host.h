#pragma once
// The substitute host, as tests and the demo use it.
//
// SubstituteHost.dll stands in for the host's e-banking framework. Once registered (regsvr32),
// it serves the classes BankConfiguration and StatementFileChooser, which the component creates
// itself; it also makes the objects the host would hand to the component: a payment collection,
// a service filter with its account, a reconciliation list. Every one of them records each call
// it receives, in order, as one line:
//
//   BankConfiguration created
//   BankConfiguration.1 RegisterBank(char[1024] "Varrow Online", 3)
//   BankConfiguration released
//   Payment[0].32 put_Status(23)
//   StatementTransaction#1.3 SetNumber(VT_I4 1)
//   StatementRecogniser("C:\\in\\st.csv") -> 1, char[256] "Varrow Quidlane Statement"
//
// Each line names the object, the method's number as the component calls it (its position after
// the seven IUnknown/IDispatch entries), the method and its arguments, and after "->" what the
// substitute answered. A buffer argument shows its declared size and whether it was zero-filled
// after its text. What the objects answer, and which calls fail, is scripted below; Reset()
// returns to the defaults: empty export location, a chooser that the user leaves without a file,
// no failures.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handles.h"
#include "testhost/substitute_host_api.h"

namespace substitute_host {

inline void Reset() { SubstituteHostReset(); }

// The recorded calls, as UTF-8.
inline std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    const LONG count = SubstituteHostCallCount();
    for (LONG i = 0; i < count; ++i) {
        const UniqueBstr call(SubstituteHostCall(i));
        const int length = static_cast<int>(::SysStringLen(call.Get()));
        std::string text(static_cast<std::size_t>(length) * 3, '\0');
        text.resize(static_cast<std::size_t>(
            ::WideCharToMultiByte(CP_UTF8, 0, call.Get(), length, text.data(), static_cast<int>(text.size()), nullptr,
                                  nullptr)));
        calls.push_back(std::move(text));
    }
    return calls;
}

// The recorded calls that begin with `prefix`, e.g. "BankConfiguration" or "Payment[2].32".
inline std::vector<std::string> CallsStartingWith(std::string_view prefix) {
    std::vector<std::string> matching;
    for (auto& call : Calls()) {
        if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(std::move(call));
    }
    return matching;
}

// Recording stops while one of these lives (to set up objects without noise), and is then as it
// was before.
class RecordingPaused {
public:
    RecordingPaused() : wasOn_(SubstituteHostRecord(FALSE)) {}
    ~RecordingPaused() { SubstituteHostRecord(wasOn_); }
    RecordingPaused(const RecordingPaused&) = delete;
    RecordingPaused& operator=(const RecordingPaused&) = delete;

private:
    BOOL wasOn_;
};

// BankConfiguration method 3: default file name, extension and directory of payment files.
inline void SetExportLocation(const std::string& fileName, const std::string& extension, const std::string& directory) {
    SubstituteHostSetExportLocation(fileName.c_str(), extension.c_str(), directory.c_str());
}

// StatementFileChooser: method 5 answers `outcome` (0 means a file was chosen), method 4 `path`.
inline void SetChooserAnswer(long outcome, const std::optional<std::wstring>& path) {
    SubstituteHostSetChooserAnswer(outcome, path ? path->c_str() : nullptr);
}

// A file that the chooser offers to the component's recogniser while the user chooses.
inline void AddChooserCandidate(const std::string& path) { SubstituteHostAddChooserCandidate(path.c_str()); }

// Method `method` of every object of `kind` fails with `hr`; with a description, the object also
// publishes error information and supports ISupportErrorInfo for its interface.
inline void FailMethod(HostObjectKind kind, long method, HRESULT hr,
                       const std::optional<std::wstring>& description = std::nullopt) {
    SubstituteHostFailMethod(kind, method, hr, description ? description->c_str() : nullptr);
}

// Creating BankConfiguration or StatementFileChooser fails with `hr`.
inline void FailCreation(HostObjectKind kind, HRESULT hr) { SubstituteHostFailCreation(kind, hr); }

// The call that would be recorded as Calls()[position] fails with `hr` (and error information
// with a description, as FailMethod).
inline void FailCall(std::size_t position, HRESULT hr, const std::optional<std::wstring>& description = std::nullopt) {
    SubstituteHostFailCall(static_cast<LONG>(position), hr, description ? description->c_str() : nullptr);
}

// The substitute's objects alive now: after a test has let go of its own, any left are held by
// the component.
inline long LiveObjects() { return SubstituteHostLiveObjects(); }

// What one payment holds; text left unset arrives as a null BSTR.
struct PaymentFields {
    double value = 0;
    std::optional<std::wstring> payerBankBACSReference;
    std::optional<std::wstring> payerBankSortCode;
    std::optional<std::wstring> payerBankAccountNumber;
    std::optional<std::wstring> payerBankAccountName;
    std::optional<std::wstring> payerBuildingSocietyRollNumber;
    std::optional<std::wstring> payeeBankBACSReference;
    std::optional<std::wstring> payeeBankSortCode;
    std::optional<std::wstring> payeeBankAccountNumber;
    std::optional<std::wstring> payeeBankAccountName;
    std::optional<std::wstring> payeeBuildingSocietyRollNumber;
    std::optional<std::wstring> reference;
    std::optional<std::wstring> details;
    short currency = 0;
    double date = 0;
    long status = 0;
};

namespace detail {
template <class Put>
void PutText(ITeskPayment* payment, Put put, const std::optional<std::wstring>& text) {
    const UniqueBstr value(text ? ::SysAllocStringLen(text->data(), static_cast<UINT>(text->size())) : nullptr);
    (payment->*put)(value.Get());
}
}  // namespace detail

// A payment collection holding `payments`, in order (set up without recording).
inline ComPtr<ITeskPayments> MakePayments(const std::vector<PaymentFields>& payments) {
    const RecordingPaused quiet;
    ComPtr<ITeskPayments> collection;
    if (FAILED(SubstituteHostCreatePayments(static_cast<LONG>(payments.size()), collection.Receive()))) return {};
    for (std::size_t i = 0; i < payments.size(); ++i) {
        ComPtr<ITeskPayment> payment;
        collection->get_Item(static_cast<LONG>(i), payment.Receive());
        const PaymentFields& fields = payments[i];
        ITeskPayment* p = payment.Get();
        p->put_Value(fields.value);
        detail::PutText(p, &ITeskPayment::put_PayerBankBACSReference, fields.payerBankBACSReference);
        detail::PutText(p, &ITeskPayment::put_PayerBankSortCode, fields.payerBankSortCode);
        detail::PutText(p, &ITeskPayment::put_PayerBankAccountNumber, fields.payerBankAccountNumber);
        detail::PutText(p, &ITeskPayment::put_PayerBankAccountName, fields.payerBankAccountName);
        detail::PutText(p, &ITeskPayment::put_PayerBuildingSocietyRollNumber, fields.payerBuildingSocietyRollNumber);
        detail::PutText(p, &ITeskPayment::put_PayeeBankBACSReference, fields.payeeBankBACSReference);
        detail::PutText(p, &ITeskPayment::put_PayeeBankSortCode, fields.payeeBankSortCode);
        detail::PutText(p, &ITeskPayment::put_PayeeBankAccountNumber, fields.payeeBankAccountNumber);
        detail::PutText(p, &ITeskPayment::put_PayeeBankAccountName, fields.payeeBankAccountName);
        detail::PutText(p, &ITeskPayment::put_PayeeBuildingSocietyRollNumber, fields.payeeBuildingSocietyRollNumber);
        detail::PutText(p, &ITeskPayment::put_Reference, fields.reference);
        detail::PutText(p, &ITeskPayment::put_Details, fields.details);
        p->put_Currency(fields.currency);
        p->put_Date(fields.date);
        p->put_Status(fields.status);
    }
    return collection;
}

// The Status each payment of `payments` holds now, in order (read without recording).
inline std::vector<long> Statuses(ITeskPayments* payments) {
    const RecordingPaused quiet;
    std::vector<long> statuses;
    LONG count = 0;
    payments->get_Count(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<ITeskPayment> payment;
        LONG status = 0;
        if (SUCCEEDED(payments->get_Item(i, payment.Receive()))) payment->get_Status(&status);
        statuses.push_back(status);
    }
    return statuses;
}

// A service filter whose account has this sort code and account number (unset: null BSTR).
inline ComPtr<ITeskServiceFilter> MakeServiceFilter(const std::optional<std::wstring>& sortCode,
                                                    const std::optional<std::wstring>& accountNumber) {
    ComPtr<ITeskServiceFilter> filter;
    SubstituteHostCreateServiceFilter(sortCode ? sortCode->c_str() : nullptr,
                                      accountNumber ? accountNumber->c_str() : nullptr, filter.Receive());
    return filter;
}

// An empty reconciliation list.
inline ComPtr<ITeskStatementTransactions> MakeStatementTransactions() {
    ComPtr<ITeskStatementTransactions> transactions;
    SubstituteHostCreateStatementTransactions(transactions.Receive());
    return transactions;
}

}  // namespace substitute_host
