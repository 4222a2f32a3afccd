#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace cli {

// The dates that `varrow calendar` and `varrow next-date` work on: the arguments, all checked
// before the first is used, or, when there are none, each line of `input` in turn (blanks around
// a date and blank lines are ignored; the first line that is not a date stops the command).
// Throws UsageError naming the text that is not a date.
void ForEachDate(const std::vector<std::string>& args, std::FILE* input, const std::function<void(double)>& each);

}  // namespace cli
