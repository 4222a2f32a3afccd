#include "cli/commands.h"
int RunStatement(const std::vector<std::string>&) { return kUsageError; }
int RunRecognise(const std::vector<std::string>&) { return kUsageError; }
