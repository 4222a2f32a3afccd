#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Dates as the command line takes and prints them.

// DD/MM/YYYY or YYYY-MM-DD, as ParseWrittenDate (common/written_date.h) reads them.
std::optional<double> ParseCommandLineDate(std::string_view text);

// DD/MM/YYYY of the day of an OLE date, its time of day ignored; nothing outside the platform's years 100 to 9999.
std::optional<std::string> FormatCommandLineDate(double date);

}  // namespace cli
