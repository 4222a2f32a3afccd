#include "cli/statement_options.h"

namespace cli {

namespace {

// "--name VALUE" or "--name=VALUE"; advances `i` past what it used.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value, std::string& error) {
    const std::string& arg = args[i];
    if (arg.compare(0, name.size() + 1, name + "=") == 0) {
        value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        error = name + " needs a value";
        return false;
    }
    return true;
}

bool IsValueOption(const std::string& arg, const std::string& name) {
    return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

// One option at args[i]; false with `error` set when it is not one of ours.
bool TakeOption(const std::vector<std::string>& args, std::size_t& i, bool withAccount, StatementOptions& options,
                std::string& error) {
    const std::string& arg = args[i];
    bool* flag = arg == "--debug"                   ? &options.debug
                 : arg == "--help" || arg == "-h"   ? &options.help
                 : withAccount && arg == "--json"   ? &options.json
                                                    : nullptr;
    if (flag) {
        *flag = true;
        return true;
    }
    if (withAccount && IsValueOption(arg, "--sort-code")) return TakeValue(args, i, "--sort-code", options.sortCode, error);
    if (withAccount && IsValueOption(arg, "--account")) return TakeValue(args, i, "--account", options.account, error);
    error = "unknown option '" + arg + "'";
    return false;
}

}  // namespace

std::optional<StatementOptions> ParseStatementOptions(const std::vector<std::string>& args, bool withAccount,
                                                      std::string& error) {
    StatementOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!TakeOption(args, i, withAccount, options, error)) {
            return std::nullopt;
        }
    }
    if (options.sortCode.has_value() != options.account.has_value()) {
        error = "--sort-code and --account go together";
        return std::nullopt;
    }
    return options;
}

}  // namespace cli
