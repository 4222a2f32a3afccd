#include "cli/export/export_arguments.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <charconv>
#include <map>

#include "cli/calendar/date_text.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"

namespace cli {

namespace {

constexpr std::string_view kValueOptions[] = {"--format", "--date", "--today", "--template",
                                             "--benref", "--iat",  "-o",      "--output"};

// "a, b, c or d"
std::string FormatNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kPaymentFormats); ++i) {
        if (i > 0) names += i + 1 < std::size(kPaymentFormats) ? ", " : " or ";
        names += kPaymentFormats[i].commandLineName;
    }
    return names;
}

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

// Splits "--name=value" and "--name value" alike into name and value pairs, and the rest into
// positional arguments; refuses unknown and repeated options.
class OptionReader {
public:
    explicit OptionReader(const std::vector<std::string>& args) {
        bool optionsEnded = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                positional_.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                i = ReadOption(args, i);
            }
        }
    }

    std::optional<std::string> Take(const std::string& name) {
        const auto found = values_.find(name);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }

    const std::vector<std::string>& Positional() const { return positional_; }

private:
    std::size_t ReadOption(const std::vector<std::string>& args, std::size_t i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        std::string name = arg.substr(0, equals);
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), name) == std::end(kValueOptions))
            throw UsageError("unknown option " + Shown(name));
        if (name == "--output") name = "-o";
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw UsageError(name + " needs a value");
        }
        if (!values_.emplace(name, value).second) throw UsageError(name + " is given more than once");
        return i;
    }

    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

}  // namespace

const char* FormatName(PaymentFormat format) { return FormatInfo(format).commandLineName; }

ExportArguments ParseExportArguments(const std::vector<std::string>& args) {
    ExportArguments parsed;
    if (AsksForHelp(args)) {
        parsed.help = true;
        return parsed;
    }
    OptionReader options(args);
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
