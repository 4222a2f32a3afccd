#include "cli/accounts/account_pair_line.h"

namespace cli {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<AccountPair> SplitAccountPair(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto separator = line.find_first_of(",\t");
    if (separator != std::string_view::npos) {
        const std::string_view rest = line.substr(separator + 1);
        if (rest.find_first_of(",\t") != std::string_view::npos) return std::nullopt;
        return AccountPair{line.substr(0, separator), rest};
    }
    line = Trimmed(line);
    const auto blank = line.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    const std::string_view rest = Trimmed(line.substr(blank));
    if (rest.find(' ') != std::string_view::npos) return std::nullopt;
    return AccountPair{line.substr(0, blank), rest};
}

bool IsEmptyAccountLine(std::string_view line) { return line.find_first_not_of(" \t\r,") == std::string_view::npos; }

}  // namespace cli
