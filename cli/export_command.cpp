#include "cli/commands.h"
int RunExport(const std::vector<std::string>&) { return kUsageError; }
