#include "cli/calendar/date_text.h"

#include <cmath>
#include <cstdio>

#include "common/ole_date.h"
#include "common/written_date.h"

namespace cli {

std::optional<double> ParseCommandLineDate(std::string_view text) { return ParseWrittenDate(text); }

std::optional<std::string> FormatCommandLineDate(double date) {
    // Truncated, not floored: before 1899 an OLE date counts its days down and its time of day
    // up, so -1.25 is 29 December 1899 at 06:00.
    const auto parts = FromOleDate(std::trunc(date));
    if (!parts) return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", parts->day, parts->month, parts->year);
    return std::string(text);
}

}  // namespace cli
