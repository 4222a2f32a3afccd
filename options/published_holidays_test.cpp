// The calendar against the England and Wales bank holidays as the government publishes them,
// 2019 to 2028 (2027 and 2028 as announced and as the rules give them), with the sample list of
// the seven one-off days that no rule can know: every weekday of the ten years agrees.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "common/written_date.h"
#include "options/calendar.h"
#include "options/calendar_test_helpers.h"

namespace {

using calendar_test::Date;
using calendar_test::Describe;
using calendar_test::Show;

const char* const kPublished[] = {
    "2019-01-01", "2019-04-19", "2019-04-22", "2019-05-06", "2019-05-27", "2019-08-26", "2019-12-25", "2019-12-26",
    "2020-01-01", "2020-04-10", "2020-04-13", "2020-05-08", "2020-05-25", "2020-08-31", "2020-12-25", "2020-12-28",
    "2021-01-01", "2021-04-02", "2021-04-05", "2021-05-03", "2021-05-31", "2021-08-30", "2021-12-27", "2021-12-28",
    "2022-01-03", "2022-04-15", "2022-04-18", "2022-05-02", "2022-06-02", "2022-06-03", "2022-08-29", "2022-09-19",
    "2022-12-26", "2022-12-27",
    "2023-01-02", "2023-04-07", "2023-04-10", "2023-05-01", "2023-05-08", "2023-05-29", "2023-08-28", "2023-12-25",
    "2023-12-26",
    "2024-01-01", "2024-03-29", "2024-04-01", "2024-05-06", "2024-05-27", "2024-08-26", "2024-12-25", "2024-12-26",
    "2025-01-01", "2025-04-18", "2025-04-21", "2025-05-05", "2025-05-26", "2025-08-25", "2025-12-25", "2025-12-26",
    "2026-01-01", "2026-04-03", "2026-04-06", "2026-05-04", "2026-05-25", "2026-08-31", "2026-12-25", "2026-12-28",
    "2027-01-01", "2027-03-26", "2027-03-29", "2027-05-03", "2027-05-31", "2027-08-30", "2027-12-27", "2027-12-28",
    "2028-01-03", "2028-04-14", "2028-04-17", "2028-05-01", "2028-05-29", "2028-08-28", "2028-12-25", "2028-12-26",
};

std::set<double> PublishedDays() {
    std::set<double> days;
    for (const char* text : kPublished) {
        const auto date = ParseIsoDate(text);
        if (!date) throw std::invalid_argument(std::string("no such date in the published list: ") + text);
        days.insert(*date);
    }
    return days;
}

bool IsWeekday(double date) {
    const int weekday = static_cast<int>(WeekdayOf(*FromOleDate(date)));
    return weekday != 0 && weekday != 6;
}

TEST(PublishedHolidays, EveryWeekdayAgreesOnceTheOneOffDaysAreListed) {
    const std::set<double> published = PublishedDays();
    ASSERT_EQ(published.size(), 83u);
    const HolidayList listed = ReadHolidayList(VARROW_SAMPLES_DIR "/HOLIDAYS.TXT");
    ASSERT_EQ(listed.Size(), 7u);
    int weekdays = 0, disagreeingByRuleAlone = 0;
    for (double date = Date(2019, 1, 1); date <= Date(2028, 12, 31); ++date) {
        if (!IsWeekday(date)) continue;
        ++weekdays;
        const bool holiday = published.count(date) > 0;
        const BankingDay answer = IsBankingDay(date, listed);
        EXPECT_EQ(answer.banking, !holiday) << Show(date) << ": " << Describe(answer);
        if (holiday) {
            EXPECT_EQ(answer.kind, NonBankingKind::BankHoliday) << Show(date);
        }
        if (IsBankingDay(date).banking == holiday) ++disagreeingByRuleAlone;
    }
    EXPECT_EQ(weekdays, 2609);
    // The rule alone knows every day but the seven listed ones.
    EXPECT_EQ(disagreeingByRuleAlone, 7);
}

}  // namespace
