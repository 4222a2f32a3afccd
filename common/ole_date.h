#pragma once
#include <optional>

#include "common/civil_date.h"

// OLE Automation dates: days since 30 December 1899, the fraction being the time of day. This is
// the one conversion between them and calendar values; it sits in front of the platform's.
//
// The component only ever means dates that exist, while the platform's conversion quietly rolls
// impossible ones into their neighbours (31 February 2010 becomes 3 March, 0/0/0 becomes
// 30 November 1999). These conversions refuse what does not exist.

// Midnight of an existing date and its time of day; nothing for a date that does not exist or
// lies outside the platform's years 100 to 9999, or for a time of day outside 00:00:00..23:59:59.
// A year below 100 is read as the platform reads it (see CivilDate).
std::optional<double> ToOleDate(const CivilDate& date, int hour = 0, int minute = 0, int second = 0);

// The date and time of day of an OLE date (rounded to the second, as the platform does) with a
// four-digit year, or nothing outside the platform's range.
std::optional<CivilDateTime> FromOleDate(double date);
