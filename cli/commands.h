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
int RunCheckAccount(const std::vector<std::string>& args);
int RunVerify(const std::vector<std::string>& args);

// Exit statuses. `varrow export` ends with the run's result code (payments/run_result.h) once it
// has written the file, and otherwise with one of these, as every other command does.
constexpr int kSuccess = 0;
constexpr int kStatementRefused = 1;  // statement: no statement or no output; recognise: not every file is one
constexpr int kAccountsFailed = 1;    // check-account: a pair is invalid or malformed
constexpr int kRefusedDate = 3;       // export: the processing date failed its checks
constexpr int kDuplicatesFound = 7;   // export: payments made twice, and no --allow-duplicates
constexpr int kUsageError = 64;
constexpr int kTablesUnreadable = 66;  // check-account, export --check-accounts: the account check's tables
constexpr int kHolidaysUnreadable = 66;  // calendar, next-date, export: the list named by --holidays
constexpr int kInternalFailure = 70;  // the command itself failed (out of memory, for example)

}  // namespace cli
