#pragma once
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The arguments of `varrow statement` and `varrow recognise`.
struct StatementOptions {
    std::optional<std::string> sortCode;
    std::optional<std::string> account;
    bool json = false;
    bool debug = false;
    bool help = false;
    std::vector<std::string> files;
};

// Parses `args`; on a usage error returns nothing and sets `error`. `withAccount` admits
// --sort-code, --account and --json (the statement command); files follow the options, or "--".
// Both commands take --debug and --help. Counting the files is the command's business.
std::optional<StatementOptions> ParseStatementOptions(const std::vector<std::string>& args, bool withAccount,
                                                      std::string& error);

}  // namespace cli
