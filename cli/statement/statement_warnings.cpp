#include "cli/statement/statement_warnings.h"

#include <algorithm>

#include "common/shown_text.h"

namespace cli {

namespace {

// Enough to see what is wrong without burying the rest of standard error.
constexpr std::size_t kNamedAtMost = 3;

}  // namespace

void StatementWarnings::Note(const CTransactionRecord& record, long line, bool taken) {
    if (taken) {
        if (undated_.size() < kNamedAtMost) undated_.push_back({line, std::string(record.DateText().View())});
        ++undatedCount_;
        return;
    }
    const std::string_view sortCode = record.SortCode().View(), number = record.AccountNumber().View();
    const bool known = std::any_of(others_.begin(), others_.end(),
                                   [&](const Account& a) { return a.sortCode == sortCode && a.number == number; });
    if (known) return;
    if (others_.size() < kNamedAtMost) {
        others_.push_back({std::string(sortCode), std::string(number)});
    } else {
        moreOthers_ = true;
    }
}

std::vector<std::string> StatementWarnings::Lines(const std::optional<StatementAccount>& account) const {
    std::vector<std::string> lines;
    for (const auto& u : undated_) {
        lines.push_back("line " + std::to_string(u.line) + ": the Date column holds " + Shown(u.dateText) +
                        ", which gives no date; " + undatedFate_);
    }
    if (undatedCount_ > static_cast<long>(undated_.size())) {
        lines.push_back(std::to_string(undatedCount_ - static_cast<long>(undated_.size())) +
                        " more transactions have no date");
    }
    if (account && anyRead_ && !anyTaken_) {
        std::string held;
        for (const auto& a : others_) held += (held.empty() ? "" : ", ") + Shown(a.sortCode) + " " + Shown(a.number);
        lines.push_back("no record is of sort code " + Shown(account->SortCode()) + " and account " +
                        Shown(account->AccountNumber()) + "; the file holds records of " + held +
                        (moreOthers_ ? " and others" : ""));
    }
    return lines;
}

}  // namespace cli
