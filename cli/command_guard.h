#pragma once
#include <functional>

namespace cli {

// Runs the body of a subcommand and turns what escapes it into an exit status: a UsageError into
// one line on standard error with a pointer to the command's --help and kUsageError; any other
// failure into a line saying so and kInternalFailure.
int RunGuarded(const char* command, const std::function<int()>& body);

}  // namespace cli
