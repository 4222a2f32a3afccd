// varrow export: a payment run without the host. The options come from the command line instead
// of the dialog, and the run keeps its order: the 4000-payment limit, then the date checks, and
// only then the upload file.
#include <cstdio>
#include <string>

#include "cli/box_text.h"
#include "cli/command_guard.h"
#include "cli/commands.h"
#include "cli/console_messages.h"
#include "cli/export_arguments.h"
#include "cli/fixed_today.h"
#include "cli/input_file.h"
#include "cli/payment_help.h"
#include "cli/payment_table.h"
#include "cli/status_report.h"
#include "cli/usage_error.h"
#include "options/calendar.h"
#include "payments/payment_file.h"
#include "payments/run_result.h"
#include "payments/status_codes.h"
#include "platform/string_resource.h"

namespace cli {

namespace {

void Note(const std::string& text) { std::fprintf(stderr, "varrow export: note: %s\n", text.c_str()); }

// What the user typed into one of the dialog's boxes, if anything.
struct TypedBox {
    const char* option;
    std::optional<std::u16string> text;
};

TypedBox ReadBox(const char* option, const std::optional<std::string>& argument) {
    if (!argument) return {option, std::nullopt};
    auto text = ArgumentText(*argument);
    if (!text) throw UsageError(std::string(option) + " is not valid UTF-8");
    return {option, std::move(text)};
}

// The box's text as the dialog hands it back: cut to its limit, or empty where the format
// disables the box.
CString BoxValue(const TypedBox& box, int limit, bool enabled, PaymentFormat format) {
    if (!box.text) return CString();
    if (!enabled) {
        Note(std::string(FormatName(format)) + " does not use " + box.option + ": it is left empty");
        return CString();
    }
    if (box.text->size() > static_cast<std::size_t>(limit))
        Note(std::string(box.option) + " is cut to its first " + std::to_string(limit) + " characters");
    return BoxText(*box.text, limit);
}

MemoryPayments LoadPayments(const std::string& path) {
    const std::string csv = ReadInputFile(path);
    try {
        return MemoryPayments(LoadPaymentTable(csv));
    } catch (const UsageError& e) {
        throw UsageError(path + ": " + e.what());
    }
}

// --iat: the mark that Set puts into Status in the dialog.
void MarkInterAccountTransfers(MemoryPayments& payments, const std::vector<std::int32_t>& indexes) {
    for (const std::int32_t index : indexes) {
        if (index >= payments.Count())
            throw UsageError("--iat names payment " + std::to_string(index) + ", but the list holds " +
                             std::to_string(payments.Count()) + " payments, numbered from 0");
        payments.Records()[static_cast<std::size_t>(index)].Status = 1;
    }
}

// The date checks of the dialog's OK; each refusal has already printed its message.
bool DateAccepted(double date) { return ValidateBankingDate(date, nullptr) && !IsBeyondProcessingHorizon(date, nullptr); }

std::string FailureText(PaymentFileOutcome::Failure failure, std::int32_t count) {
    using Failure = PaymentFileOutcome::Failure;
    switch (failure) {
        case Failure::OpenFailed: return "the file could not be written: it cannot be opened";
        case Failure::WriteFailed: return "the file could not be written";
        case Failure::FetchFailed:
            return count == 0 ? "no payments: a bulk file takes its payer from payment 0, so no header is written"
                              : "a payment could not be fetched; the file ends before it";
        case Failure::None: break;
    }
    return {};
}

// What the dialog hands back after OK, with the date that passed its checks.
PaymentOptions ChooseOptions(const ExportArguments& arguments, double processingDate, const TypedBox& templateBox,
                             const TypedBox& benrefBox) {
    const PaymentFormat format = arguments.format;
    PaymentOptions options;
    options.processingDate = processingDate;
    options.format = format;
    options.templateName = BoxValue(templateBox, kTemplateNameLimit, FormatInfo(format).usesTemplate, format);
    options.beneficiaryReference =
        BoxValue(benrefBox, kBeneficiaryReferenceLimit, FormatInfo(format).usesBeneficiaryReference, format);
    return options;
}

void PrintReport(MemoryPayments& payments, const PaymentFileOutcome& outcome, const std::string& output) {
    const std::string report = StatusReport(payments, outcome.resultCode);
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    if (outcome.failure != PaymentFileOutcome::Failure::None)
        std::fprintf(stderr, "varrow export: %s: %s\n", output.c_str(), FailureText(outcome.failure, payments.Count()).c_str());
}

int Export(const ExportArguments& arguments) {
    const TypedBox templateBox = ReadBox("--template", arguments.templateName);
    const TypedBox benrefBox = ReadBox("--benref", arguments.beneficiaryReference);
    if (SameFile(arguments.output, arguments.payments))
        throw UsageError("-o '" + arguments.output + "' is the payment list itself");
    MemoryPayments payments = LoadPayments(arguments.payments);
    MarkInterAccountTransfers(payments, arguments.iat);

    const ConsoleMessages messages;
    std::optional<FixedToday> today;
    if (arguments.today) today.emplace(*arguments.today);
    if (payments.Count() > kMaxPayments) {
        PrintMessage(platform::LoadStringResource(kTooManyPaymentsText));
        return run_result::kTooManyPayments;
    }
    const double processingDate = arguments.date ? *arguments.date : NextAvailableProcessingDate(CurrentLocalDate());
    if (!DateAccepted(processingDate)) return kRefusedDate;

    const PaymentOptions options = ChooseOptions(arguments, processingDate, templateBox, benrefBox);
    const PaymentFileOutcome outcome = WritePaymentFile(payments, options, arguments.output);
    PrintReport(payments, outcome, arguments.output);
    return outcome.resultCode;
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
    return RunGuarded("export", [&] {
        const ExportArguments arguments = ParseExportArguments(args);
        if (arguments.help) {
            std::fputs(kExportHelp, stdout);
            return kSuccess;
        }
        return Export(arguments);
    });
}

}  // namespace cli
