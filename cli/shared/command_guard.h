#pragma once
#include <functional>
#include <string>
#include <vector>

namespace cli {

// Runs the body of a subcommand and turns what escapes it into an exit status: a UsageError into
// one line on standard error with a pointer to the command's --help and kUsageError; any other
// failure into a line saying so and kInternalFailure.
int RunGuarded(const char* command, const std::function<int()>& body);

// True when a subcommand's arguments ask for its help (--help or -h before any "--").
bool AsksForHelp(const std::vector<std::string>& args);

}  // namespace cli
