#include "cli/export/export_arguments.h"

#include <iterator>
#include <string_view>
#include <charconv>

#include "cli/calendar/date_text.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/option_reader.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"
#include "settings/settings_store.h"

namespace cli {

namespace {

const std::vector<OptionSpec> kOptions = {
    {"--format"}, {"--date"}, {"--today"}, {"--template"}, {"--benref"}, {"--iat"}, {"-o"}, {"--output", true, "-o"},
    {"--check-accounts", false}, {"--tables"}, {"--holidays"}, {"--duplicate-days"}, {"--allow-duplicates", false},
};

// "a, b, c or d"
std::string FormatNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kPaymentFormats); ++i) {
        if (i > 0) names += i + 1 < std::size(kPaymentFormats) ? ", " : " or ";
        names += kPaymentFormats[i].commandLineName;
    }
    return names;
}

std::int32_t ParseIndex(const std::string& list, const std::string& item) {
    std::int32_t index = 0;
    const char* const end = item.data() + item.size();
    const auto [stop, error] = std::from_chars(item.data(), end, index);
    if (item.empty() || item[0] == '-' || error != std::errc() || stop != end)
        throw UsageError("--iat " + Shown(list) + ": " + Shown(item) + " is not a payment index (0, 1, 2, ...)");
    return index;
}

std::vector<std::int32_t> ParseIndexList(const std::string& list) {
    std::vector<std::int32_t> indexes;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        indexes.push_back(ParseIndex(list, list.substr(start, comma - start)));
        if (comma == std::string::npos) return indexes;
        start = comma + 1;
    }
}

}  // namespace

const char* FormatName(PaymentFormat format) { return FormatInfo(format).commandLineName; }

PaymentFormat ParseFormat(const std::string& text) {
    for (const auto& format : kPaymentFormats) {
        if (text == format.commandLineName) return format.format;
    }
    throw UsageError("unknown format " + Shown(text) + " (" + FormatNames() + ")");
}

double ParseDateOption(const std::string& option, const std::string& text) {
    const auto date = ParseCommandLineDate(text);
    if (!date) throw UsageError(option + " " + Shown(text) + " is not an existing date written DD/MM/YYYY or YYYY-MM-DD");
    return *date;
}

ExportArguments ParseExportArguments(const std::vector<std::string>& args) {
    ExportArguments parsed;
    if (AsksForHelp(args)) {
        parsed.help = true;
        return parsed;
    }
    const OptionReader options(args, kOptions);
    if (const auto format = options.Take("--format")) parsed.format = ParseFormat(*format);
    if (const auto date = options.Take("--date")) parsed.date = ParseDateOption("--date", *date);
    if (const auto today = options.Take("--today")) parsed.today = ParseDateOption("--today", *today);
    parsed.templateName = options.Take("--template");
    parsed.beneficiaryReference = options.Take("--benref");
    if (const auto iat = options.Take("--iat")) {
        if (!FormatInfo(parsed.format).iatMarkingAllowed)
            throw UsageError(std::string("--iat cannot be used with ") + FormatName(parsed.format) +
                             ": the bulk formats carry no Inter Account Transfers");
        parsed.iat = ParseIndexList(*iat);
    }
    parsed.checkAccounts = options.Has("--check-accounts");
    parsed.tables = options.Take("--tables");
    if (parsed.tables && !parsed.checkAccounts) throw UsageError("--tables is for the account number check: give --check-accounts too");
    parsed.holidays = options.Take("--holidays");
    if (const auto days = options.Take("--duplicate-days")) {
        parsed.duplicateDays = ParseDuplicateDays(*days);
        if (!parsed.duplicateDays)
            throw UsageError("--duplicate-days " + Shown(*days) + " is not a number of days from 0 to " +
                             std::to_string(kMaxDuplicateDays));
    }
    parsed.allowDuplicates = options.Has("--allow-duplicates");
    const auto output = options.Take("-o");
    if (!output || output->empty()) throw UsageError("no output file: give -o OUT");
    parsed.output = *output;
    const auto& positional = options.Positional();
    if (positional.empty()) throw UsageError("no payment list: give PAYMENTS.csv");
    if (positional.size() > 1) throw UsageError("more than one payment list: " + Shown(positional[1]));
    parsed.payments = positional[0];
    return parsed;
}

}  // namespace cli
