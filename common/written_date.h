#pragma once
#include <optional>
#include <string>
#include <string_view>

// Dates as people write them in files and on command lines, exactly that many digits, at
// midnight. Nothing for any other text, for a date that does not exist (2026-02-31) and for a year
// below 100, which the platform would read through its two-digit window (0024 would become 2024).

// YYYY-MM-DD.
std::optional<double> ParseIsoDate(std::string_view text);

// DD/MM/YYYY or YYYY-MM-DD.
std::optional<double> ParseWrittenDate(std::string_view text);

// DDMMYYYY, as the upload files write the processing date.
std::optional<double> ParseFileDate(std::string_view text);

// The day of an OLE date, its time of day ignored, written YYYY-MM-DD and DD/MM/YYYY; nothing
// outside the platform's years 100 to 9999.
std::optional<std::string> FormatIsoDate(double date);
std::optional<std::string> FormatSlashedDate(double date);
