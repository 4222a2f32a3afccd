#include "options/calendar.h"

#include <array>

#include "common/errors.h"
#include "common/ole_date.h"
#include "options/calendar_day.h"
#include "platform/local_clock.h"

namespace {

constexpr BankingDay kBanking{true, 0, NonBankingKind::None};
constexpr BankingDay Holiday(int advance) { return {false, advance, NonBankingKind::BankHoliday}; }
constexpr BankingDay Weekend(int advance) { return {false, advance, NonBankingKind::Weekend}; }

// One answer per weekday, Sunday first.
using WeekRow = std::array<BankingDay, 7>;

constexpr WeekRow kFirstJanuary = {Holiday(2), Holiday(1), Holiday(1), Holiday(1), Holiday(1), Holiday(1), Holiday(3)};
constexpr WeekRow kSecondJanuary = {Holiday(2), Holiday(1), kBanking, kBanking, kBanking, kBanking, Holiday(2)};
constexpr WeekRow kChristmasDay = {Weekend(3), Holiday(2), Holiday(2), Holiday(2), Holiday(4), Holiday(4), Weekend(4)};
constexpr WeekRow kBoxingDay = {Weekend(3), Holiday(2), Holiday(1), Holiday(1), Holiday(1), Holiday(3), Weekend(3)};
constexpr WeekRow kDecember27 = {Weekend(2), Holiday(2), Holiday(1), kBanking, kBanking, kBanking, Weekend(2)};
constexpr WeekRow kDecember28 = {Weekend(1), Holiday(1), Holiday(1), kBanking, kBanking, kBanking, Weekend(2)};

constexpr int kGoodFridayAdvance = 4;
constexpr int kMondayHolidayAdvance = 1;

BankingDay On(const WeekRow& row, Weekday weekday) { return row[static_cast<int>(weekday)]; }

BankingDay GeneralRule(Weekday weekday) {
    if (weekday == Weekday::Saturday) return Weekend(2);
    if (weekday == Weekday::Sunday) return Weekend(1);
    return kBanking;
}

BankingDay January(const CivilDate& date, Weekday weekday) {
    if (date.day == 1) return On(kFirstJanuary, weekday);
    if (date.day == 2) return On(kSecondJanuary, weekday);
    // A Monday 3 January is the substitute for New Year's Day on the Saturday; the entries for
    // 1 and 2 January already advance past it.
    if (date.day == 3 && weekday == Weekday::Monday) return Holiday(kMondayHolidayAdvance);
    return GeneralRule(weekday);
}

BankingDay Easter(CalendarDay day, const CivilDate& date, Weekday weekday) {
    const CalendarDay easterSunday = CalendarDay::Of(EasterSunday(date.year));
    if (day == easterSunday - 2) return Holiday(kGoodFridayAdvance);
    if (day == easterSunday + 1) return Holiday(kMondayHolidayAdvance);
    return GeneralRule(weekday);
}

// The first and the last Monday of May, the last Monday of August.
BankingDay MondayHoliday(const CivilDate& date, Weekday weekday, bool includesFirstWeek) {
    const bool holidayWeek = date.day >= 25 || (includesFirstWeek && date.day <= 7);
    if (weekday == Weekday::Monday && holidayWeek) return Holiday(kMondayHolidayAdvance);
    return GeneralRule(weekday);
}

BankingDay December(const CivilDate& date, Weekday weekday) {
    switch (date.day) {
        case 25: return On(kChristmasDay, weekday);
        case 26: return On(kBoxingDay, weekday);
        case 27: return On(kDecember27, weekday);
        case 28: return On(kDecember28, weekday);
        default: return GeneralRule(weekday);
    }
}

BankingDay RuleFor(CalendarDay day, const CivilDate& date) {
    const Weekday weekday = WeekdayOf(date);
    switch (date.month) {
        case 1: return January(date, weekday);
        case 3:
        case 4: return Easter(day, date, weekday);
        case 5: return MondayHoliday(date, weekday, true);
        case 8: return MondayHoliday(date, weekday, false);
        case 12: return December(date, weekday);
        default: return GeneralRule(weekday);
    }
}

// Days until the second working day after today: Monday to Friday, holidays aside.
int BaseOffset(Weekday today) {
    switch (today) {
        case Weekday::Thursday:
        case Weekday::Friday: return 4;
        case Weekday::Saturday: return 3;
        default: return 2;
    }
}

int HolidaysBetween(CalendarDay first, CalendarDay last, const HolidayList& listed) {
    int count = 0;
    for (CalendarDay day = first; !(last < day); day = day + 1) {
        if (IsBankingDay(day.At(0), listed).kind == NonBankingKind::BankHoliday) ++count;
    }
    return count;
}

bool IsWeekday(Weekday weekday) { return weekday != Weekday::Saturday && weekday != Weekday::Sunday; }

// Outside the platform's range nothing is a banking day.
bool IsBankingByRuleAndList(CalendarDay day, const HolidayList& listed) {
    const auto civil = Split(day);
    if (!civil) return false;
    const auto listedAs = listed.Find(day);
    if (listedAs == ListedAs::Closed) return false;
    if (listedAs == ListedAs::Open && IsWeekday(WeekdayOf(*civil))) return true;
    return RuleFor(day, *civil).banking;
}

// A listed day makes the rule's fixed advances wrong around it: count the days instead.
constexpr int kLongestCountedAdvance = 7;

int DaysToBankingDay(CalendarDay day, const HolidayList& listed) {
    for (int days = 1; days < kLongestCountedAdvance; ++days) {
        if (IsBankingByRuleAndList(day + days, listed)) return days;
    }
    return kLongestCountedAdvance;
}

BankingDay WithList(CalendarDay day, Weekday weekday, const BankingDay& byRule, const HolidayList& listed) {
    const auto listedAs = listed.Find(day);
    if (listedAs == ListedAs::Closed) return Holiday(DaysToBankingDay(day, listed));
    if (listedAs == ListedAs::Open && IsWeekday(weekday)) return kBanking;
    if (byRule.banking || !listed.ListsAnyDay(day + 1, day + byRule.advance)) return byRule;
    return {false, DaysToBankingDay(day, listed), byRule.kind};
}

// Each advance is only an estimate, so the candidate gets three tests.
constexpr int kCandidateTests = 3;

}  // namespace

double CurrentLocalDate() {
    const CivilDateTime now = platform::LocalTime();
    const auto date = ToOleDate(now, now.hour, now.minute, now.second);
    // The clock reading a date that does not exist is a platform failure, not a day to judge by.
    if (!date) throw CAtlException(hresult::kFail);
    return *date;
}

const HolidayList& NoListedDays() {
    static const HolidayList none;
    return none;
}

BankingDay IsBankingDay(double date, const HolidayList& listed) {
    const CalendarDay day = CalendarDay::Of(date);
    const auto civil = Split(day);
    // No rule applies to a day the platform cannot represent: it is never a banking day.
    if (!civil) return {};
    const BankingDay byRule = RuleFor(day, *civil);
    if (listed.Empty()) return byRule;
    return WithList(day, WeekdayOf(*civil), byRule, listed);
}

double EasterSunday(int year) {
    if (year < 100 || year > 9999) throw CAtlException(hresult::kInvalidArg);
    const int golden = year % 19 + 1;
    const int century = year / 100 + 1;
    const int skippedLeapDays = 3 * century / 4 - 12;
    const int moonCorrection = (8 * century + 5) / 25 - 5;
    const int sundayKey = 5 * year / 4 - skippedLeapDays - 10;  // March (-sundayKey mod 7) is a Sunday
    int epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
    if (epact < 0) epact += 30;
    if ((epact == 25 && golden > 11) || epact == 24) ++epact;
    int fullMoon = 44 - epact;  // a day of March, past 31 reaching into April
    if (fullMoon < 21) fullMoon += 30;
    const int easter = fullMoon + 7 - (sundayKey + fullMoon) % 7;
    const CivilDate date = easter > 31 ? CivilDate{year, 4, easter - 31} : CivilDate{year, 3, easter};
    return *ToOleDate(date);
}

double NextAvailableProcessingDate(double now, const HolidayList& listed) {
    const CalendarDay today = CalendarDay::Of(now);
    const auto civil = Split(today);
    if (!civil) return now;
    const int offset = BaseOffset(WeekdayOf(*civil));
    CalendarDay candidate = today + offset + HolidaysBetween(today + 1, today + offset, listed);
    for (int test = 0; test < kCandidateTests; ++test) {
        const BankingDay answer = IsBankingDay(candidate.At(0), listed);
        if (answer.banking) return candidate.At(TimeOfDay(now));
        candidate = candidate + answer.advance;
    }
    return now;
}
