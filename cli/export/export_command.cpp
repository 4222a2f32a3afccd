// varrow export: a payment run without the host. The options come from the command line instead
// of the dialog, and the run keeps its order: the 4000-payment limit, then the date checks, and
// only then the upload file.
#include "cli/export/export_command.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/accounts/command_tables.h"
#include "cli/calendar/command_holidays.h"
#include "cli/commands.h"
#include "cli/export/export_arguments.h"
#include "cli/export/payment_table.h"
#include "cli/export/stand_ins.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/input_file.h"
#include "cli/shared/usage_error.h"
#include "options/calendar.h"
#include "payments/payment_file.h"
#include "payments/repeat_check.h"
#include "payments/run_result.h"
#include "payments/status_codes.h"
#include "platform/string_resource.h"
#include "settings/settings_store.h"

namespace cli {

namespace {

const char* const kExportHelp =
    "usage: varrow export [--format F] [--date D] [--today D] [--template T] [--benref R]\n"
    "                     [--iat LIST] [--check-accounts [--tables DIR]] [--holidays FILE]\n"
    "                     [--duplicate-days N] [--allow-duplicates] -o OUT PAYMENTS.csv\n"
    "\n"
    "Writes the Varrow Online upload file OUT for the payments in PAYMENTS.csv, as the payment\n"
    "service does for the host, and reports the status code the run left in every payment.\n"
    "\n"
    "options\n"
    "  --format F     standard-domestic (default), domestic-template, bulk-list or ad-hoc-bulk\n"
    "  --date D       the processing date; default: the next available one after today\n"
    "  --today D      the day that counts as today, at 00:00, for the default date, the\n"
    "                 checks and the payment history; default: the local clock\n"
    "  --template T   the template name, cut to 20 characters; used by domestic-template and\n"
    "                 bulk-list, left empty (with a note) by the other formats\n"
    "  --benref R     the beneficiary reference, cut to 18 characters; used by bulk-list and\n"
    "                 ad-hoc-bulk, left empty (with a note) by the other formats\n"
    "  --iat LIST     mark the payments with these 0-based indexes (comma-separated, e.g. 0,3)\n"
    "                 as Inter Account Transfers by putting 1 into their Status; not with\n"
    "                 bulk-list or ad-hoc-bulk. A non-zero Status from the file is the mark too.\n"
    "  --check-accounts\n"
    "                 also the bank's account number check of every payee, as the component\n"
    "                 does with ModulusCheck=1 in section [Validation] of BANKSERV.INI: a payee\n"
    "                 that passes every other check but fails this one gets status 36\n"
    "  --tables DIR   the account number check's tables, as 'varrow check-account --help' says\n"
    "  --holidays FILE\n"
    "                 the days listed for the calendar of the date checks and the default date,\n"
    "                 as 'varrow calendar --help' says; exits 66 when FILE cannot be read\n"
    "  --duplicate-days N\n"
    "                 look for payments made twice, within the list and in the payment history\n"
    "                 of the last N days (0 to 400; 0 turns it off), as the component does with\n"
    "                 DuplicateDays=N in section [Validation] of BANKSERV.INI; default: as\n"
    "                 BANKSERV.INI says. While it is on, a written file's payments go into the\n"
    "                 history PAYMENTS.HST beside BANKSERV.INI\n"
    "  --allow-duplicates\n"
    "                 write the file all the same when payments look made twice\n"
    "  -o OUT         the upload file to write (--output OUT)\n"
    "  --name=VALUE   is the same as --name VALUE\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD; anything else, or a date that does not exist,\n"
    "is a usage error.\n"
    "\n"
    "PAYMENTS.csv\n"
    "  UTF-8 (a leading byte order mark is skipped), comma-separated; a field in double quotes\n"
    "  may hold commas, line breaks and doubled quotes (\"\" for \"). The first row names the\n"
    "  columns, in any order and any subset, without regard to case:\n"
    "    Value PayerBankBACSReference PayerBankSortCode PayerBankAccountNumber\n"
    "    PayerBankAccountName PayerBuildingSocietyRollNumber PayeeBankBACSReference\n"
    "    PayeeBankSortCode PayeeBankAccountNumber PayeeBankAccountName\n"
    "    PayeeBuildingSocietyRollNumber Reference Details Currency Date Status ClientReference\n"
    "  Every further row is one payment, index 0 first, with as many fields as the header.\n"
    "  Value is a decimal number with '.' as the point (12.50), Status and Currency are whole\n"
    "  numbers, Date is a date as above. A missing column or an empty cell reads as empty text\n"
    "  or 0. An unknown or repeated column, text that is not UTF-8 and a value that cannot be\n"
    "  read are usage errors naming the line, the payment and the column. Blank lines are skipped.\n"
    "\n"
    "The run, in this order\n"
    "  1. More than 4000 payments: the limit's message on standard error, exit 40, no file.\n"
    "     With --check-accounts, tables that cannot be read: one line naming the file and the\n"
    "     line at fault, exit 66, no file. The same for a --holidays FILE that cannot be read.\n"
    "  2. The date checks of the options dialog: a date before today, on a weekend or bank\n"
    "     holiday, or more than 45 days ahead prints the dialog's message on standard error and\n"
    "     exits 3; no file is written.\n"
    "  3. Where the check is on, payments made twice: each on standard error as\n"
    "     'payment INDEX (SORT CODE, ACCOUNT, AMOUNT, REFERENCE): the same as payment INDEX' or\n"
    "     ': written to FILE on DD/MM/YYYY'; exit 7 and no file, unless --allow-duplicates.\n"
    "  4. The upload file, with CR LF line ends on every platform; each payment is validated as\n"
    "     its line is written.\n"
    "\n"
    "standard output\n"
    "  one line per payment, INDEX<TAB>STATUS<TAB>TEXT (TEXT empty for a code without one),\n"
    "  then result<TAB>N with the run's result code\n"
    "\n"
    "exit status\n"
    "  0   every payment passed its checks\n"
    "  1   a header or a payment failed a check (see its status); the file is written all the same\n"
    "  2   the file could not be opened or written, or a bulk format got no payments\n"
    "  3   the processing date was refused\n"
    "  7   payments look made twice, and no --allow-duplicates; no file\n"
    "  40  more than 4000 payments\n"
    "  64  usage error\n"
    "  66  --check-accounts: the tables cannot be read, or the --holidays list cannot; no file\n";

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
bool DateAccepted(double date, const HolidayList& listed) {
    return ValidateBankingDate(date, nullptr, listed) && !IsBeyondProcessingHorizon(date, nullptr);
}

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

// --duplicate-days, or as the component reads BANKSERV.INI.
std::optional<int> DuplicateDays(const ExportArguments& arguments) {
    if (!arguments.duplicateDays) return SettingsStore().DuplicateDays();
    if (*arguments.duplicateDays == 0) return std::nullopt;
    return arguments.duplicateDays;
}

// What the question of the run would list, a line each; false when the file must not be written.
bool WriteDespiteRepeats(RepeatCheck& repeats, MemoryPayments& payments, const PaymentOptions& options, bool allowed) {
    const std::vector<DuplicateFinding> findings = repeats.Find(payments, options);
    for (const DuplicateFinding& finding : findings)
        std::fprintf(stderr, "varrow export: %s%s\n", allowed ? "note: " : "", FindingText(finding, payments, 0).c_str());
    if (findings.empty() || allowed) return true;
    std::fputs("varrow export: no file written: payments look made twice; --allow-duplicates writes it all the same\n",
               stderr);
    return false;
}

// The output as the history names it, whatever the folder the command was run in.
std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
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
    std::optional<ChosenTables> accountTables;
    if (arguments.checkAccounts) {
        accountTables = LoadCommandTables("export", arguments.tables);
        if (!accountTables) return kTablesUnreadable;
    }
    const auto listed = LoadCommandHolidays("export", arguments.holidays);
    if (!listed) return kHolidaysUnreadable;
    const double processingDate =
        arguments.date ? *arguments.date : NextAvailableProcessingDate(CurrentLocalDate(), *listed);
    if (!DateAccepted(processingDate, *listed)) return kRefusedDate;

    const PaymentOptions options = ChooseOptions(arguments, processingDate, templateBox, benrefBox);
    RepeatCheck repeats(DuplicateDays(arguments), SettingsStore().SettingsFolder(), CurrentLocalDate());
    if (!WriteDespiteRepeats(repeats, payments, options, arguments.allowDuplicates)) return kDuplicatesFound;
    const PaymentFileOutcome outcome =
        WritePaymentFile(payments, options, arguments.output, accountTables ? &accountTables->tables : nullptr);
    repeats.Record(options, FullPath(arguments.output), outcome);
    PrintReport(payments, outcome, arguments.output);
    return outcome.resultCode;
}

}  // namespace

std::string StatusReport(Payments& payments, std::int32_t resultCode) {
    std::string report;
    const std::int32_t count = payments.Count();
    for (std::int32_t index = 0; index < count; ++index) {
        const auto payment = payments.Item(index);
        if (!payment) continue;
        const std::int32_t status = payment->Status();
        report += std::to_string(index) + '\t' + std::to_string(status) + '\t' + StatusText(status).value_or("") + '\n';
    }
    return report + "result\t" + std::to_string(resultCode) + '\n';
}

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
