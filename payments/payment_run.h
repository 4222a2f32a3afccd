#pragma once
#include <cstdint>
#include <optional>

#include "common/cstring.h"
#include "options/holiday_list.h"
#include "options/output_file_choice.h"
#include "options/payment_options.h"
#include "payments/payment.h"
#include "payments/run_result.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

// What a payment run needs from the host and from the window system besides the payments, the
// settings store and the save dialog.
class PaymentRunParts {
public:
    virtual ~PaymentRunParts() = default;

    // The host's default file name, extension and directory of payment files for this bank. A
    // failing host raises, and the run ends there.
    virtual PaymentExportLocation ExportLocation() = 0;

    // The bank account that the service filter names, as far as the host tells it; never raises.
    virtual AccountForKeys Account() = 0;

    // The options dialog, shown modally over the active window and offering the remembered
    // values, its dates judged with the days `listed`: the options after OK, nothing after
    // anything else.
    virtual std::optional<PaymentOptions> AskOptions(Payments& payments, const CString& templateName,
                                                     const CString& beneficiaryReference,
                                                     const HolidayList& listed) = 0;

    // The service's ResultCode, which the host reads after the run.
    virtual void SetResultCode(std::int32_t code) = 0;
};

// Process, step by step: the export location, the default path (with its warning) and the file
// filter; ResultCode 0; the 4000-payment limit; the remembered template name and beneficiary
// reference of the account and, where BANKSERV.INI turns it on, the account number check's tables;
// the administrator's list of bank holidays beside BANKSERV.INI; the options dialog; where
// BANKSERV.INI turns it on, the question about payments made twice; the save dialog; the settings
// stored; the upload file written, and where the check is on, its payments recorded. Returns what Process returns: 0, 1 when a
// header or record failed its checks, or 40 for too many payments.
// Null `payments` raises E_INVALIDARG as a `long`, after ResultCode 0.
std::int32_t RunPayments(PaymentRunParts& parts, Payments* payments, SettingsStore& settings);
