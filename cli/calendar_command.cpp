#include "cli/commands.h"
int RunCalendar(const std::vector<std::string>&) { return kUsageError; }
int RunNextDate(const std::vector<std::string>&) { return kUsageError; }
