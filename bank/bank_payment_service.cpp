#include "bank/bank_payment_service.h"

#include <optional>

#include "bank/host_payment_run_parts.h"
#include "bank/host_payments.h"
#include "common/cstring.h"
#include "payments/payment_run.h"
#include "payments/status_codes.h"
#include "settings/settings_store.h"

STDMETHODIMP CBankPaymentService::StatusText(LONG code, BSTR* text) {
    return ComMethodGuard([&] {
        RequireOut(text);
        if (const auto loaded = ::StatusText(code)) *text = CString(std::string_view(*loaded)).AllocSysString();
    });
}

STDMETHODIMP CBankPaymentService::Process(ITeskPayments* payments, ITeskServiceFilter* serviceFilter) {
    return ComMethodGuard([&]() -> HRESULT {
        HostPaymentRunParts parts(serviceFilter, [this](std::int32_t code) { SetResultCode(code); });
        std::optional<HostPayments> hostPayments;
        if (payments) hostPayments.emplace(payments);
        return RunPayments(parts, hostPayments ? &*hostPayments : nullptr, ModuleSettingsStore());
    });
}
