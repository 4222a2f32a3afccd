#include "cli/statement/statement_arguments.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "cli/calendar/date_text.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/option_reader.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"

namespace cli {

namespace {

const std::vector<OptionSpec> kStatementOptions = {
    {"--to"}, {"--json", false}, {"--sort-code"}, {"--account"}, {"-o"}, {"--output", true, "-o"},
    {"--closing-balance"}, {"--balance-date"}, {"--qif-dates"}, {"--debug", false},
};
const std::vector<OptionSpec> kRecogniseOptions = {{"--debug", false}};

constexpr struct {
    const char* name;
    StatementFormat format;
} kFormats[] = {{"csv", StatementFormat::Csv}, {"json", StatementFormat::Json}, {"ofx", StatementFormat::Ofx},
                {"ofx2", StatementFormat::Ofx2}, {"qif", StatementFormat::Qif}};

StatementFormat ParseFormat(const std::string& text) {
    std::string names;
    for (const auto& known : kFormats) {
        if (text == known.name) return known.format;
        names += names.empty() ? "" : &known == &kFormats[std::size(kFormats) - 1] ? " or " : ", ";
        names += known.name;
    }
    throw UsageError("unknown format " + Shown(text) + " for --to (" + names + ")");
}

StatementFormat FormatOf(const OptionReader& options) {
    const auto to = options.Take("--to");
    const StatementFormat format = to ? ParseFormat(*to) : StatementFormat::Csv;
    if (options.Has("--json") && to && format != StatementFormat::Json)
        throw UsageError("--json is --to json, and --to says " + *to);
    return options.Has("--json") ? StatementFormat::Json : format;
}

// Digits with an optional sign and decimal point, as OFX writes an amount.
std::string ParseBalance(const std::string& text) {
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::size_t point = text.find('.', start);
    const auto digits = [&](std::size_t from, std::size_t to) {
        return to > from && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                                        text.begin() + static_cast<std::ptrdiff_t>(to),
                                        [](char c) { return c >= '0' && c <= '9'; });
    };
    const bool valid = point == std::string::npos ? digits(start, text.size())
                                                  : digits(start, point) && digits(point + 1, text.size());
    if (!valid)
        throw UsageError("--closing-balance " + Shown(text) +
                         " is not an amount: digits with an optional sign and decimal point, no grouping (-1234.56)");
    return text[0] == '+' ? text.substr(1) : text;
}

void ReadBalance(const OptionReader& options, StatementArguments& parsed) {
    parsed.closingBalance = options.Take("--closing-balance");
    if (parsed.closingBalance) {
        if (parsed.format != StatementFormat::Ofx && parsed.format != StatementFormat::Ofx2)
            throw UsageError("--closing-balance is for --to ofx and --to ofx2: the other formats hold no balance");
        parsed.closingBalance = ParseBalance(*parsed.closingBalance);
    }
    if (const auto date = options.Take("--balance-date")) {
        if (!parsed.closingBalance) throw UsageError("--balance-date is the date of --closing-balance: give that too");
        parsed.balanceDate = ParseCommandLineDate(*date);
        if (!parsed.balanceDate)
            throw UsageError("--balance-date " + Shown(*date) + " is not an existing date written DD/MM/YYYY or YYYY-MM-DD");
    }
}

void ReadQifDates(const OptionReader& options, StatementArguments& parsed) {
    const auto order = options.Take("--qif-dates");
    if (!order) return;
    if (parsed.format != StatementFormat::Qif) throw UsageError("--qif-dates is for --to qif");
    if (*order != "dmy" && *order != "mdy") throw UsageError("--qif-dates " + Shown(*order) + " is neither dmy nor mdy");
    parsed.qifDates = *order == "mdy" ? QifDateOrder::MonthDayYear : QifDateOrder::DayMonthYear;
}

// What both commands read alike: --help, after which nothing more is read, and --debug.
template <typename Arguments>
std::optional<OptionReader> ReadOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& known,
                                        Arguments& parsed) {
    if (AsksForHelp(args)) {
        parsed.help = true;
        return std::nullopt;
    }
    OptionReader options(args, known);
    parsed.debug = options.Has("--debug");
    return options;
}

}  // namespace

StatementArguments ParseStatementArguments(const std::vector<std::string>& args) {
    StatementArguments parsed;
    const auto read = ReadOptions(args, kStatementOptions, parsed);
    if (!read) return parsed;
    const OptionReader& options = *read;
    parsed.format = FormatOf(options);
    parsed.sortCode = options.Take("--sort-code");
    parsed.account = options.Take("--account");
    if (parsed.sortCode.has_value() != parsed.account.has_value()) throw UsageError("--sort-code and --account go together");
    parsed.output = options.Take("-o");
    if (parsed.output && parsed.output->empty()) throw UsageError("-o needs a file name");
    ReadBalance(options, parsed);
    ReadQifDates(options, parsed);
    if (options.Positional().size() != 1) throw UsageError("name exactly one FILE");
    parsed.file = options.Positional().front();
    return parsed;
}

RecogniseArguments ParseRecogniseArguments(const std::vector<std::string>& args) {
    RecogniseArguments parsed;
    const auto options = ReadOptions(args, kRecogniseOptions, parsed);
    if (!options) return parsed;
    parsed.files = options->Positional();
    if (parsed.files.empty()) throw UsageError("name at least one FILE");
    return parsed;
}

}  // namespace cli
