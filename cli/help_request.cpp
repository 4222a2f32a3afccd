#include "cli/help_request.h"

namespace cli {

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace cli
