#pragma once

namespace cli {

// The help texts of the payment and calendar subcommands.
extern const char* const kExportHelp;
extern const char* const kCalendarHelp;
extern const char* const kNextDateHelp;
extern const char* const kStatusTextHelp;

}  // namespace cli
