#pragma once
#include <optional>
#include <string_view>

#include "accounts/modulus_number.h"

// A sort code and account number as a person types them, made into the 14-digit number the check
// works on (sections 1.2 and 1.3 of the published description). Spaces and hyphens go from both;
// then the sort code must be six digits and the account number six to ten. An account number of
// another length than eight is brought to eight by the description's default rules, since which
// bank issued it is not in the tables:
//   6 or 7 digits: zeros in front;
//   9 digits: Santander's rule for sort codes in 090000-091900, 720000-729999, 890000-892999 and
//     165710 (the first account digit replaces the last sort code digit, the other eight are the
//     account number, and the changed sort code is the one looked up); elsewhere the first digit
//     goes;
//   10 digits: the first eight for sort codes that start with 08 (Co-operative Bank), elsewhere
//     the last eight (National Westminster Bank).
// Nothing when either value is malformed.
std::optional<ModulusNumber> StandardiseAccount(std::string_view sortCode, std::string_view account) noexcept;
