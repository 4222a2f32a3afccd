#include "cli/calendar/date_text.h"

#include "common/written_date.h"

namespace cli {

std::optional<double> ParseCommandLineDate(std::string_view text) { return ParseWrittenDate(text); }

std::optional<std::string> FormatCommandLineDate(double date) { return FormatSlashedDate(date); }

}  // namespace cli
