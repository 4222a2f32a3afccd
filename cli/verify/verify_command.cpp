// varrow verify: upload files read back and checked before they go to the bank, by the layouts,
// checks and calendar the payment run writes them by.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/accounts/command_tables.h"
#include "cli/calendar/command_holidays.h"
#include "cli/commands.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/input_file.h"
#include "cli/shared/usage_error.h"
#include "cli/verify/verify_arguments.h"
#include "cli/verify/verify_output.h"
#include "options/calendar.h"

namespace cli {

namespace {

const char* const kVerifyHelp =
    "usage: varrow verify [--format F] [--today D] [--holidays FILE] [--check-accounts [--tables DIR]]\n"
    "                     [--json] FILE...\n"
    "\n"
    "Reads each FILE as a Varrow Online upload file and reports everything the bank would refuse\n"
    "or misread: the shape of the lines, the order of the records and every field as the layouts\n"
    "define it. Damage done by opening and saving the file in a spreadsheet is named as such.\n"
    "\n"
    "options\n"
    "  --format F     the layout every FILE must have: standard-domestic, domestic-template,\n"
    "                 bulk-list or ad-hoc-bulk; default: the one its records show\n"
    "  --today D      the day that counts as today for the processing date, which must be a\n"
    "                 banking day from today to 45 days after it; default: the local clock\n"
    "  --holidays FILE\n"
    "                 the days listed for the calendar, as 'varrow calendar --help' says\n"
    "  --check-accounts\n"
    "                 also the bank's account number check of every payee, as export does\n"
    "  --tables DIR   the account number check's tables, as 'varrow check-account --help' says\n"
    "  --json         one JSON document instead of the lines below\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD.\n"
    "\n"
    "standard output\n"
    "  one line per finding, FILE:LINE:FIELD: error: TEXT or FILE:LINE:FIELD: warning: TEXT\n"
    "  (no :FIELD for a finding about the whole line, or on line 1 about the whole file), then\n"
    "  for each file FILE: FORMAT, N lines, N payments, total T: N errors, N warnings.\n"
    "  Warnings are the same payment more than once and a payment without a reference.\n"
    "\n"
    "exit status\n"
    "  0   no file has an error (warnings allowed)\n"
    "  1   a file has an error\n"
    "  2   a file cannot be opened or read (the others are still verified)\n"
    "  64  usage error\n"
    "  66  --check-accounts: the tables cannot be read; or the --holidays list cannot\n";

constexpr int kFileWithErrors = 1;
constexpr int kUnreadableFile = 2;

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int Verify(const VerifyArguments& arguments) {
    const auto holidays = LoadCommandHolidays("verify", arguments.holidays);
    if (!holidays) return kHolidaysUnreadable;
    std::optional<ChosenTables> tables;
    if (arguments.checkAccounts) {
        tables = LoadCommandTables("verify", arguments.tables);
        if (!tables) return kTablesUnreadable;
    }
    VerifyOptions options;
    options.format = arguments.format;
    options.today = arguments.today ? *arguments.today : CurrentLocalDate();
    options.holidays = &*holidays;
    options.accountTables = tables ? &tables->tables : nullptr;

    VerifyJson json;
    bool errors = false, unreadable = false;
    for (const std::string& file : arguments.files) {
        std::string bytes;
        try {
            bytes = ReadInputFile(file);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "varrow verify: %s\n", e.what());
            if (arguments.json) json.AddUnreadable(file, e.what());
            unreadable = true;
            continue;
        }
        const VerifyReport report = VerifyUploadFile(bytes, options);
        errors = errors || report.Count(Severity::Error) > 0;
        if (arguments.json) {
            json.Add(file, report);
            continue;
        }
        std::string lines;
        for (const Finding& finding : report.findings) lines += FindingLine(file, finding);
        Print(lines + SummaryLine(file, report));
    }
    if (arguments.json) Print(json.Text());
    return unreadable ? kUnreadableFile : errors ? kFileWithErrors : kSuccess;
}

}  // namespace

int RunVerify(const std::vector<std::string>& args) {
    return RunGuarded("verify", [&] {
        const VerifyArguments arguments = ParseVerifyArguments(args);
        if (arguments.help) {
            std::fputs(kVerifyHelp, stdout);
            return kSuccess;
        }
        return Verify(arguments);
    });
}

}  // namespace cli
