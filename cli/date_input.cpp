#include "cli/date_input.h"

#include <optional>

#include "cli/date_text.h"
#include "cli/shown_text.h"
#include "cli/usage_error.h"

namespace cli {

namespace {

double DateOf(const std::string& text, const std::string& where) {
    const auto date = ParseCommandLineDate(text);
    if (!date) throw UsageError(where + Shown(text) + " is not an existing date written DD/MM/YYYY or YYYY-MM-DD");
    return *date;
}

std::optional<std::string> ReadLine(std::FILE* input) {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(input)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return std::nullopt;
    return line;
}

std::string Trimmed(const std::string& line) {
    const char* const blanks = " \t\r";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

}  // namespace

void ForEachDate(const std::vector<std::string>& args, std::FILE* input, const std::function<void(double)>& each) {
    if (!args.empty()) {
        std::vector<double> dates;
        for (const auto& arg : args) {
            if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option " + Shown(arg));
            dates.push_back(DateOf(arg, ""));
        }
        for (const double date : dates) each(date);
        return;
    }
    std::size_t number = 0;
    while (const auto line = ReadLine(input)) {
        ++number;
        const std::string text = Trimmed(*line);
        if (!text.empty()) each(DateOf(text, "line " + std::to_string(number) + ": "));
    }
}

}  // namespace cli
