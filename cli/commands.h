#pragma once
#include <string>
#include <vector>

namespace cli {

// The varrow subcommands. Each takes the arguments after its own name and returns the exit status.
int RunExport(const std::vector<std::string>& args);
int RunCalendar(const std::vector<std::string>& args);
int RunNextDate(const std::vector<std::string>& args);
int RunStatusText(const std::vector<std::string>& args);
int RunStatement(const std::vector<std::string>& args);
int RunRecognise(const std::vector<std::string>& args);

// Exit status of a usage error.
constexpr int kUsageError = 64;

}  // namespace cli
