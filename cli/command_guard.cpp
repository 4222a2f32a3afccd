#include "cli/command_guard.h"

#include <cstdio>
#include <exception>

#include "cli/commands.h"
#include "cli/usage_error.h"
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

}  // namespace cli
