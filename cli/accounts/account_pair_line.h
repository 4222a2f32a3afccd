#pragma once
#include <optional>
#include <string_view>

namespace cli {

// A sort code and an account number as one line of varrow check-account's standard input holds them.
struct AccountPair {
    std::string_view sortCode;
    std::string_view account;
};

// Separated by a comma or a tab, each value exactly as it stands between the line's start, the
// separator and its end (a spreadsheet's blank cell gives an empty value); or else by blanks alone
// (12-34-56 12345678). A CR that ends the line is no part of it. Nothing when the line does not
// hold exactly two values that way.
std::optional<AccountPair> SplitAccountPair(std::string_view line);

// Whether the line holds nothing but blanks, commas and tabs: an empty line or spreadsheet row.
bool IsEmptyAccountLine(std::string_view line);

}  // namespace cli
