#pragma once
#include <string>
#include <vector>

// True when a subcommand's arguments ask for its help (--help or -h before any "--").
bool AsksForHelp(const std::vector<std::string>& args);
