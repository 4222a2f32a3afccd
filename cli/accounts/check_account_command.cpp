// varrow check-account: the bank's account number check of sort codes and account numbers, with
// the tables the component would use.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/account_check.h"
#include "cli/accounts/account_pair_line.h"
#include "cli/accounts/command_tables.h"
#include "cli/commands.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/input_file.h"
#include "cli/shared/option_reader.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"

namespace cli {

namespace {

const char* const kCheckAccountHelp =
    "usage: varrow check-account [--tables DIR] [SORTCODE ACCOUNT]...\n"
    "\n"
    "Checks each sort code and account number with the UK modulus check that banks run before they\n"
    "accept a payment: the pairs given, or, with none, each line of standard input holding a sort\n"
    "code and an account number separated by a comma, a tab or spaces (lines of nothing but\n"
    "blanks, commas and tabs are skipped). Spaces and hyphens inside either value are allowed\n"
    "(12-34-56, 1234 5678; on standard input a value with spaces needs a comma or tab between the\n"
    "two); account numbers of 6 to 10 digits are brought to 8 digits by the published rules. A\n"
    "value that starts with '-' goes after --: varrow check-account -- -123456 12345678.\n"
    "\n"
    "options\n"
    "  --tables DIR   the tables in DIR: VALACDOS.TXT and SCSUBTAB.TXT when VALACDOS.TXT is\n"
    "                 there, else the shipped names (valacdos-v8-50.txt, scsubtab.txt). Default:\n"
    "                 as the component chooses them: a newer pair VALACDOS.TXT and SCSUBTAB.TXT\n"
    "                 in the folder of BANKSERV.INI, else the pair installed with varrow\n"
    "\n"
    "standard output\n"
    "  one line per pair, SORTCODE<TAB>ACCOUNT<TAB>RESULT, the values exactly as given and RESULT\n"
    "  one of valid, invalid, unchecked (the tables hold no rule for the sort code, so it cannot\n"
    "  be checked) or malformed (not 6 sort code digits or not 6 to 10 account digits, an empty\n"
    "  value such as a blank cell included)\n"
    "\n"
    "exit status\n"
    "  0   no pair invalid or malformed\n"
    "  1   a pair is invalid or malformed\n"
    "  64  usage error; on standard input, a line that holds one value or more than two ends the\n"
    "      command there\n"
    "  66  the tables cannot be read (standard error names the file and the line)\n";

const std::vector<OptionSpec> kOptions = {{"--tables"}};

// Checks and prints pairs; remembers whether any failed.
class PairChecker {
public:
    explicit PairChecker(const ModulusTables& tables) : tables_(tables) {}

    void Check(std::string_view sortCode, std::string_view account) {
        const CheckResult result = CheckAccount(tables_, sortCode, account).result;
        anyFailed_ = anyFailed_ || result == CheckResult::Invalid || result == CheckResult::Malformed;
        std::printf("%.*s\t%.*s\t%s\n", static_cast<int>(sortCode.size()), sortCode.data(),
                    static_cast<int>(account.size()), account.data(), CheckResultName(result));
    }
    bool AnyFailed() const noexcept { return anyFailed_; }

private:
    const ModulusTables& tables_;
    bool anyFailed_ = false;
};

void CheckInputLines(PairChecker& checker) {
    std::size_t number = 0;
    while (const auto line = ReadInputLine(stdin)) {
        ++number;
        if (IsEmptyAccountLine(*line)) continue;
        const auto pair = SplitAccountPair(*line);
        if (!pair)
            throw UsageError("line " + std::to_string(number) + ": " + Shown(*line) +
                             " is not a sort code and an account number separated by a comma, tab or spaces");
        checker.Check(pair->sortCode, pair->account);
    }
}

int CheckAccounts(const std::vector<std::string>& args) {
    const OptionReader options(args, kOptions);
    const std::vector<std::string>& pairs = options.Positional();
    if (pairs.size() % 2 != 0) throw UsageError("sort code " + Shown(pairs.back()) + " without an account number");
    const std::optional<ChosenTables> chosen = LoadCommandTables("check-account", options.Take("--tables"));
    if (!chosen) return kTablesUnreadable;
    PairChecker checker(chosen->tables);
    for (std::size_t i = 0; i < pairs.size(); i += 2) checker.Check(pairs[i], pairs[i + 1]);
    if (pairs.empty()) CheckInputLines(checker);
    return checker.AnyFailed() ? kAccountsFailed : kSuccess;
}

}  // namespace

int RunCheckAccount(const std::vector<std::string>& args) {
    return RunGuarded("check-account", [&] {
        if (AsksForHelp(args)) {
            std::fputs(kCheckAccountHelp, stdout);
            return kSuccess;
        }
        return CheckAccounts(args);
    });
}

}  // namespace cli
