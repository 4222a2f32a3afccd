#pragma once
#include <optional>
#include <string_view>

namespace cli {

// A sort code and an account number as one line of varrow check-account's standard input holds them.
struct AccountPair {
    std::string_view sortCode;
    std::string_view account;
};

// Separated by a comma or a tab, blanks around either value dropped; or else by blanks alone
// (12-34-56 12345678). Nothing when the line does not hold exactly two values that way.
std::optional<AccountPair> SplitAccountPair(std::string_view line);

}  // namespace cli
