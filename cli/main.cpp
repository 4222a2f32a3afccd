// varrow: the component's payment files, calendar and statement reader, without the host.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/accounts/command_tables.h"
#include "cli/calendar/command_holidays.h"
#include "cli/commands.h"
#include "varrow_version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace cli;

const char* const kMainUsage = "usage: varrow COMMAND [ARGS...]; see 'varrow --help'\n";

const char* const kMainHelp =
    "varrow - Varrow Online payment files and statements, without the host\n"
    "\n"
    "  varrow export [--format F] [--date D] [--today D] [--template T] [--benref R] [--iat LIST]\n"
    "                [--check-accounts [--tables DIR]] [--holidays FILE] -o OUT PAYMENTS.csv\n"
    "      writes the upload file OUT in format F (standard-domestic, domestic-template, bulk-list,\n"
    "      ad-hoc-bulk) from a CSV payment list and prints INDEX<TAB>STATUS<TAB>TEXT per payment,\n"
    "      then result<TAB>N; exits with the result code 0, 1 or 2, 3 for a refused date,\n"
    "      40 for more than 4000 payments; --check-accounts adds the bank's account number check\n"
    "      of every payee (status 36), 66 when its tables cannot be read\n"
    "  varrow verify [--format F] [--today D] [--holidays FILE] [--check-accounts [--tables DIR]]\n"
    "                [--json] FILE...\n"
    "      reads upload files back and reports what the bank would refuse or misread, one\n"
    "      FILE:LINE:FIELD: error: TEXT (or warning) a line, then a summary per file; exits 0, 1 for\n"
    "      an error, 2 for a file that cannot be read\n"
    "  varrow check-account [--tables DIR] [SORTCODE ACCOUNT]...\n"
    "      SORTCODE<TAB>ACCOUNT<TAB>valid, invalid, unchecked or malformed for each pair (or each\n"
    "      line of standard input); exits 1 when a pair is invalid or malformed, 66 when the tables\n"
    "      cannot be read\n"
    "  varrow calendar [--holidays FILE] [DATE...]\n"
    "      DD/MM/YYYY banking 0, DD/MM/YYYY holiday N or DD/MM/YYYY weekend N for each date\n"
    "  varrow next-date [--holidays FILE] [DATE...]\n"
    "      each date and the default processing date of a run started on it at 00:00\n"
    "  varrow status-text CODE...\n"
    "      the text of each payment status code, or an empty line where there is none\n"
    "  varrow statement [--to csv|json|ofx|ofx2|qif] [--sort-code S --account A]\n"
    "                   [--closing-balance AMOUNT [--balance-date D]] [--qif-dates dmy|mdy] [-o OUT] FILE\n"
    "      the transactions an import of the statement FILE would add: as CSV (the default) or\n"
    "      JSON, as OFX 1.02 or OFX 2 for GnuCash, KMyMoney, Money and others, or as QIF\n"
    "  varrow recognise FILE...\n"
    "      FILE<TAB>Varrow Quidlane Statement for each file the host's file chooser would offer\n"
    "  varrow --version\n"
    "      the version of varrow, the version of the account number check's tables in use, and\n"
    "      the holiday list beside BANKSERV.INI when there is one\n"
    "\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD; calendar and next-date read standard input when\n"
    "no date is given. --holidays names a list of days the calendar's rule gets wrong (default:\n"
    "HOLIDAYS.TXT beside BANKSERV.INI); one that cannot be read exits 66. A usage error exits 64.\n"
    "'varrow COMMAND --help' explains a command.\n";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"export", RunExport},           {"calendar", RunCalendar},   {"next-date", RunNextDate},
    {"status-text", RunStatusText},  {"statement", RunStatement}, {"recognise", RunRecognise},
    {"check-account", RunCheckAccount}, {"verify", RunVerify},
};

// The version, then the tables that the account number check would use and the holiday list
// that the calendar would follow.
int PrintVersion() {
    std::fputs("varrow " VARROW_VERSION_TEXT "\n", stdout);
    std::fflush(stdout);
    const auto tables = LoadCommandTables("--version", std::nullopt);
    std::printf("%s\n", tables ? TablesInUse(*tables).c_str() : "modulus tables cannot be read");
    if (const auto holidays = HolidaysInUse()) std::printf("%s\n", holidays->c_str());
    return cli::kSuccess;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every platform: no LF to CR LF translation on the standard streams.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    if (argc < 2) {
        std::fputs(kMainUsage, stderr);
        return cli::kUsageError;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(kMainHelp, stdout);
        return cli::kSuccess;
    }
    if (name == "--version") return PrintVersion();
    for (const auto& command : kCommands) {
        if (name == command.name) return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "varrow: unknown command '%s'; see 'varrow --help'\n", name.c_str());
    return cli::kUsageError;
}
