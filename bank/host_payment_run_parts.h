#pragma once
// The payment run's parts in the component: the host's BankConfiguration and service filter, the
// options dialog, and the payment service's ResultCode.
#include <functional>

#include "host/generated_interfaces.h"
#include "payments/payment_run.h"
#include "server/host_object.h"

class HostPaymentRunParts : public PaymentRunParts {
public:
    // Creates the host's BankConfiguration at once, as the run's first step; it is released when
    // the parts go, at the end of the run. `filter` may be null and must outlive the parts.
    HostPaymentRunParts(ITeskServiceFilter* filter, std::function<void(std::int32_t)> setResultCode);

    PaymentExportLocation ExportLocation() override;
    AccountForKeys Account() override;
    std::optional<PaymentOptions> AskOptions(Payments& payments, const CString& templateName,
                                             const CString& beneficiaryReference,
                                             const HolidayList& listed) override;
    void SetResultCode(std::int32_t code) override { setResultCode_(code); }

private:
    HostObject<ITeskBankConfiguration> configuration_;
    ITeskServiceFilter* filter_;
    std::function<void(std::int32_t)> setResultCode_;
};
