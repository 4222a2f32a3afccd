#pragma once
#include <optional>
#include <string>

#include "options/holiday_list.h"

namespace cli {

// The days listed for the calendar of a command: those in `file` when one is named (--holidays),
// otherwise, as the component reads them, HOLIDAYS.TXT beside BANKSERV.INI when it is there.
// Standard error says which list is in use when one is. A named file that cannot be read cleanly
// gives nothing, once standard error names the file and the line; the settings folder's is passed
// over with a note, as the component passes it over, and the rule alone decides.
std::optional<HolidayList> LoadCommandHolidays(const char* command, const std::optional<std::string>& file);

// The settings folder's list for varrow --version: "holiday list PATH (7 days)", or why it is not
// used; nothing when there is none.
std::optional<std::string> HolidaysInUse();

}  // namespace cli
