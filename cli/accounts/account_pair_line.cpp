#include "cli/accounts/account_pair_line.h"

namespace cli {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<AccountPair> Pair(std::string_view first, std::string_view second) {
    if (first.empty() || second.empty()) return std::nullopt;
    return AccountPair{first, second};
}

}  // namespace

std::optional<AccountPair> SplitAccountPair(std::string_view line) {
    line = Trimmed(line);
    const auto separator = line.find_first_of(",\t");
    if (separator != std::string_view::npos) {
        const std::string_view rest = line.substr(separator + 1);
        if (rest.find_first_of(",\t") != std::string_view::npos) return std::nullopt;
        return Pair(Trimmed(line.substr(0, separator)), Trimmed(rest));
    }
    const auto blank = line.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    const std::string_view rest = Trimmed(line.substr(blank));
    if (rest.find(' ') != std::string_view::npos) return std::nullopt;
    return Pair(line.substr(0, blank), rest);
}

}  // namespace cli
