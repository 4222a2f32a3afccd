#pragma once
#include "options/holiday_list.h"
#include "settings/settings_store.h"

// The days an administrator listed for the calendar in HOLIDAYS.TXT beside BANKSERV.INI, read
// once for a payment run. No file: no day listed. A file that cannot be read cleanly is not used at
// all, since a list wrong in one line cannot be trusted in the others: the user is told before the
// options dialog, naming the file and the line, and the dates are judged by the rule alone.
HolidayList RunHolidayList(SettingsStore& settings);
