#include "cli/shared/command_guard.h"

#include <cstdio>
#include <exception>

#include "cli/commands.h"
#include "cli/shared/usage_error.h"
#include "common/errors.h"

namespace cli {

int RunGuarded(const char* command, const std::function<int()>& body) {
    try {
        return body();
    } catch (const UsageError& e) {
        std::fprintf(stderr, "varrow %s: %s; see 'varrow %s --help'\n", command, e.what(), command);
        return kUsageError;
    } catch (const CAtlException& e) {
        std::fprintf(stderr, "varrow %s: failed with 0x%08lX\n", command, static_cast<unsigned long>(e.Result()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "varrow %s: failed: %s\n", command, e.what());
    }
    return kInternalFailure;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace cli
