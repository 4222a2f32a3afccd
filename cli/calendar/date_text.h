#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Dates as the command line takes and prints them.

// DD/MM/YYYY or YYYY-MM-DD, exactly that many digits, at midnight. Nothing for any other text,
// for a date that does not exist (31/02/2026) and for a year below 100, which the platform would
// read through its two-digit window (0024 would become 2024).
std::optional<double> ParseCommandLineDate(std::string_view text);

// DD/MM/YYYY of the day of an OLE date, its time of day ignored; nothing outside the platform's years 100 to 9999.
std::optional<std::string> FormatCommandLineDate(double date);

}  // namespace cli
