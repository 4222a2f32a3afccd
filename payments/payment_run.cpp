#include "payments/payment_run.h"

#include <string>

#include "common/errors.h"
#include "options/calendar.h"
#include "payments/account_check_tables.h"
#include "payments/run_holiday_list.h"
#include "payments/run_message_caption.h"
#include "payments/payment_file.h"
#include "payments/repeat_check.h"
#include "payments/status_codes.h"
#include "platform/message_box.h"
#include "platform/string_resource.h"

namespace {

std::int32_t RefuseTooManyPayments(PaymentRunParts& parts) {
    parts.SetResultCode(run_result::kTooManyPayments);
    platform::ShowMessageBox({platform::ActiveWindow(), platform::LoadStringResource(kTooManyPaymentsText),
                              kRunMessageCaption, platform::MessageIcon::Warning, platform::MessageButtons::Ok});
    return run_result::kTooManyPayments;
}

std::int32_t Cancelled(PaymentRunParts& parts) {
    parts.SetResultCode(run_result::kCancelled);
    return 0;
}

// The template name and beneficiary reference last confirmed for one account.
struct RememberedValues {
    CString templateKey;
    CString beneficiaryReferenceKey;
    CString templateName;
    CString beneficiaryReference;
};

RememberedValues ReadRemembered(const AccountForKeys& account, SettingsStore& settings) {
    const CString suffix = AccountKeySuffix(account);
    RememberedValues values{TemplateKey(suffix), BeneficiaryReferenceKey(suffix), CString(), CString()};
    settings.ReadSetting(values.templateKey, values.templateName);
    settings.ReadSetting(values.beneficiaryReferenceKey, values.beneficiaryReference);
    return values;
}

// Only what both dialogs confirmed is remembered, and before the file is opened, so a file that
// cannot be written does not cost the user the values; the store's answers change nothing.
void Remember(const RememberedValues& keys, const PaymentOptions& options, SettingsStore& settings) {
    settings.WriteSetting(keys.templateKey, options.templateName);
    settings.WriteSetting(keys.beneficiaryReferenceKey, options.beneficiaryReference);
}

}  // namespace

std::int32_t RunPayments(PaymentRunParts& parts, Payments* payments, SettingsStore& settings) {
    const PaymentExportLocation location = parts.ExportLocation();
    const std::string defaultPath = ResolveDefaultPaymentPath(location.fileName, location.directory);
    parts.SetResultCode(run_result::kSucceeded);
    const std::string filter = PaymentFileFilter(location.extension);
    // The component's own failures reach the COM boundary as `long` HRESULTs.
    if (!payments) throw static_cast<long>(hresult::kInvalidArg);

    if (payments->Count() > kMaxPayments) return RefuseTooManyPayments(parts);

    const RememberedValues remembered = ReadRemembered(parts.Account(), settings);
    const std::optional<ModulusTables> accountTables = AccountCheckTables(settings);
    const HolidayList listed = RunHolidayList(settings);
    RepeatCheck repeats(settings.DuplicateDays(), settings.SettingsFolder(), CurrentLocalDate());
    const std::optional<PaymentOptions> options =
        parts.AskOptions(*payments, remembered.templateName, remembered.beneficiaryReference, listed);
    if (!options) return Cancelled(parts);
    if (!repeats.WriteAnyway(*payments, *options)) return Cancelled(parts);
    const std::optional<std::string> outputPath = ChooseOutputFile(location.extension, defaultPath, filter);
    if (!outputPath) return Cancelled(parts);
    Remember(remembered, *options, settings);

    PaymentFileOutcome outcome;
    try {
        WritePaymentFile(*payments, *options, *outputPath, accountTables ? &*accountTables : nullptr, outcome);
    } catch (...) {
        // A payment that failed its check before the run broke off still makes the result 1.
        parts.SetResultCode(outcome.resultCode);
        throw;
    }
    parts.SetResultCode(outcome.resultCode);
    repeats.Record(*options, *outputPath, outcome);
    return outcome.returnValue;
}
