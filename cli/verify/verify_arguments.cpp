#include "cli/verify/verify_arguments.h"

#include "cli/export/export_arguments.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/option_reader.h"
#include "cli/shared/usage_error.h"

namespace cli {

namespace {

const std::vector<OptionSpec> kOptions = {
    {"--format"}, {"--today"}, {"--holidays"}, {"--check-accounts", false}, {"--tables"}, {"--json", false},
};

}  // namespace

VerifyArguments ParseVerifyArguments(const std::vector<std::string>& args) {
    VerifyArguments parsed;
    if (AsksForHelp(args)) {
        parsed.help = true;
        return parsed;
    }
    const OptionReader options(args, kOptions);
    if (const auto format = options.Take("--format")) parsed.format = ParseFormat(*format);
    if (const auto today = options.Take("--today")) parsed.today = ParseDateOption("--today", *today);
    parsed.holidays = options.Take("--holidays");
    parsed.checkAccounts = options.Has("--check-accounts");
    parsed.tables = options.Take("--tables");
    if (parsed.tables && !parsed.checkAccounts) throw UsageError("--tables is for the account number check: give --check-accounts too");
    parsed.json = options.Has("--json");
    parsed.files = options.Positional();
    if (parsed.files.empty()) throw UsageError("no file to verify: give FILE");
    return parsed;
}

}  // namespace cli
