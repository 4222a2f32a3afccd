#include "bank/bank_payment_service.h"

#include "common/cstring.h"
#include "payments/status_codes.h"

namespace {
// Codes that, taken as unsigned, lie above this have no text through StatusText.
constexpr unsigned long kLastTextedCode = 35;
}  // namespace

STDMETHODIMP CBankPaymentService::StatusText(LONG code, BSTR* text) {
    return ComMethodGuard([&] {
        RequireOut(text);
        if (static_cast<unsigned long>(code) > kLastTextedCode) return;
        CString loaded;
        if (loaded.LoadString(kStatusTextBase + static_cast<unsigned>(code))) *text = loaded.AllocSysString();
    });
}

STDMETHODIMP CBankPaymentService::Process(ITeskPayments*, ITeskServiceFilter*) {
    return ComMethodGuard([] { RaiseHResult(E_NOTIMPL); });
}
