#include "cli/commands.h"
int RunStatusText(const std::vector<std::string>&) { return kUsageError; }
