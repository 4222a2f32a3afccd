#pragma once
#include "common/civil_date.h"

namespace platform {

// The platform's OLE Automation date conversions (days since 30 December 1899, fraction = time of
// day), over the calendar values of the core. Both follow the Win32 contract as measured under
// Wine:
// - SystemTimeToVariantTime takes years 0..9999 (0-49 read as 2000-2049, 50-99 as 1950-1999),
//   refuses a month above 12 or a day above 31, and rolls day 0, month 0, days past a month's end
//   and hours past 23 into neighbouring dates. Each part is taken as the platform's 16-bit word.
// - VariantTimeToSystemTime takes -657434 (1 January 100) up to, not including, 2958466
//   (1 January 10000), rounds to the nearest second, and reads the fraction of a negative date
//   as a positive time of day (-1.25 is 29 December 1899, 06:00).
bool SystemTimeToVariantTime(const CivilDateTime& time, double& date);
bool VariantTimeToSystemTime(double date, CivilDateTime& time);

}  // namespace platform
