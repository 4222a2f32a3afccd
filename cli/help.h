#pragma once

namespace cli {

// The help texts of the command line.
extern const char* const kMainUsage;
extern const char* const kMainHelp;

}  // namespace cli
