#pragma once
#include <string>
#include <vector>

namespace cli {

// True when a subcommand's arguments ask for its help (--help or -h before any "--").
bool AsksForHelp(const std::vector<std::string>& args);

}  // namespace cli
