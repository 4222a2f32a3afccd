// Stand-in for the Win32 OLE date conversions, written to the contract measured under Wine.
#include "platform/ole_time.h"

#include <cmath>
#include <cstdint>

namespace platform {
namespace {

constexpr double kFirstDay = -657434.0;   // 1 January 100
constexpr double kPastLastDay = 2958466.0; // 1 January 10000

// Days from 1 January 1970 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

constexpr long long kOleEpochFromUnix = -25569;  // 30 December 1899

// A part as the platform's 16-bit word holds it.
unsigned Word(int part) { return static_cast<std::uint16_t>(part); }

}  // namespace

bool SystemTimeToVariantTime(const CivilDateTime& time, double& date) {
    if (Word(time.year) > 9999 || Word(time.month) > 12 || Word(time.day) > 31) return false;
    long long year = Word(time.year);
    if (year < 50) year += 2000;
    else if (year < 100) year += 1900;
    // Month 0 is December of the year before; day 0, days past a month's end and hours past 23
    // roll over into the neighbouring dates.
    long long month = Word(time.month);
    if (month == 0) { month = 12; --year; }
    const long long days = DaysFromCivil(year, static_cast<unsigned>(month), 1) + Word(time.day) - 1 - kOleEpochFromUnix;
    const double linear = days + (Word(time.hour) * 3600.0 + Word(time.minute) * 60.0 + Word(time.second)) / 86400.0;
    // Before the epoch the day counts backwards while its time of day still counts forwards:
    // 29 December 1899, 12:00 is -1.5.
    const double whole = std::floor(linear);
    date = linear >= 0 || linear == whole ? linear : whole - (linear - whole);
    return true;
}

bool VariantTimeToSystemTime(double date, CivilDateTime& time) {
    if (!(date > kFirstDay - 1.0 && date < kPastLastDay)) return false;
    long long day = static_cast<long long>(std::trunc(date));
    long long seconds = std::llround(std::fabs(date - static_cast<double>(day)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    long long y;
    unsigned m, d;
    CivilFromDays(day + kOleEpochFromUnix, y, m, d);
    time.year = static_cast<int>(y);
    time.month = static_cast<int>(m);
    time.day = static_cast<int>(d);
    time.hour = static_cast<int>(seconds / 3600);
    time.minute = static_cast<int>(seconds / 60 % 60);
    time.second = static_cast<int>(seconds % 60);
    return true;
}

}  // namespace platform
