// The two checks on a chosen date, with the clock and the message box replaced.
#include "options/calendar.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "options/calendar_test_helpers.h"
#include "platform/hook.h"
#include "platform/local_clock.h"

namespace {

using calendar_test::Date;
using calendar_test::Show;

constexpr char kBeforeToday[] =
    "The processing date you specify for payments MUST be on or after the current system date.";
constexpr char kBeforeTodayCaption[] = "Invalid Banking Date Specified";
constexpr char kNonBankingCaption[] = "Non-Banking Date Specified";
constexpr char kTooFar[] =
    "The processing date specified is too far in the future.\r"
    "Processing dates can be at most 45 days after today's date.";
constexpr char kTooFarCaption[] = "Invalid Processing Date Specified";

class DateChecks : public ::testing::Test {
protected:
    // Today is Wednesday 15 May 2024, 10:30:15.
    CivilDateTime today_{{2024, 5, 15}, 10, 30, 15};
    std::vector<platform::MessageBoxRequest> shown_;
    const platform::WindowHandle owner_ = &shown_;

    platform::ScopedHook<CivilDateTime()> clock_{platform::LocalTimeHook(), [this] { return today_; }};
    platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> messages_{
        platform::MessageBoxHook(), [this](const platform::MessageBoxRequest& request) {
            shown_.push_back(request);
            return platform::MessageAnswer::Ok;
        }};

    void ExpectOneWarning(const std::string& text, const std::string& caption, const std::string& context) {
        ASSERT_EQ(shown_.size(), 1u) << context;
        EXPECT_EQ(shown_[0].text, text) << context;
        EXPECT_EQ(shown_[0].caption, caption) << context;
        EXPECT_EQ(shown_[0].owner, owner_) << context;
        EXPECT_EQ(shown_[0].icon, platform::MessageIcon::Warning) << context;
        EXPECT_EQ(shown_[0].buttons, platform::MessageButtons::Ok) << context;
    }
};

TEST_F(DateChecks, AcceptsTodayAndLaterBankingDaysSilently) {
    const double dates[] = {Date(2024, 5, 15), Date(2024, 5, 15, 0, 0, 1), Date(2024, 5, 15, 23, 59, 59),
                            Date(2024, 5, 16), Date(2024, 5, 28), Date(2030, 6, 3)};
    for (const double date : dates) {
        EXPECT_TRUE(ValidateBankingDate(date, owner_)) << Show(date);
    }
    EXPECT_TRUE(shown_.empty());
}

TEST_F(DateChecks, RefusesADateBeforeToday) {
    const double dates[] = {Date(2024, 5, 14, 23, 59, 59), Date(2024, 5, 14), Date(2023, 5, 15), Date(1900, 1, 2),
                            -1.25};
    for (const double date : dates) {
        shown_.clear();
        EXPECT_FALSE(ValidateBankingDate(date, owner_)) << Show(date);
        ExpectOneWarning(kBeforeToday, kBeforeTodayCaption, Show(date));
    }
}

// A past date that is also a holiday is refused for being past.
TEST_F(DateChecks, BeforeTodayComesFirst) {
    EXPECT_FALSE(ValidateBankingDate(Date(2024, 5, 6), owner_));  // early May Monday
    ExpectOneWarning(kBeforeToday, kBeforeTodayCaption, "6 May 2024");
}

constexpr char kWeekend[] = "The date you specified falls on a weekend. Try advancing the date \r\n";
constexpr char kHoliday[] = "The date you specified falls on a Bank holiday. Try advancing the date \r\n";

struct NonBankingCase {
    double date;
    const char* firstLine;
    const char* advance;
};

TEST_F(DateChecks, RefusesANonBankingDayWithItsAdvance) {
    const NonBankingCase cases[] = {
        {Date(2024, 5, 18), kWeekend, "2 days to the next likely Banking Day."},
        {Date(2024, 5, 19), kWeekend, "1 day to the next likely Banking Day."},
        {Date(2024, 5, 27), kHoliday, "1 day to the next likely Banking Day."},
        {Date(2024, 12, 25), kHoliday, "2 days to the next likely Banking Day."},
        {Date(2024, 12, 28), kWeekend, "2 days to the next likely Banking Day."},
        {Date(2026, 12, 26), kWeekend, "3 days to the next likely Banking Day."},
        {Date(2026, 12, 25, 18), kHoliday, "4 days to the next likely Banking Day."},
        {Date(2027, 12, 25), kWeekend, "4 days to the next likely Banking Day."},
        {Date(2028, 1, 1), kHoliday, "3 days to the next likely Banking Day."},
        {Date(2028, 1, 3), kHoliday, "1 day to the next likely Banking Day."},  // New Year's substitute Monday
    };
    for (const auto& c : cases) {
        shown_.clear();
        EXPECT_FALSE(ValidateBankingDate(c.date, owner_)) << Show(c.date);
        ExpectOneWarning(std::string(c.firstLine) + c.advance, kNonBankingCaption, Show(c.date));
    }
}

// A listed closed day is refused as a bank holiday with the days counted to the next banking day;
// a listed open day is accepted.
TEST_F(DateChecks, FollowTheListedDays) {
    std::istringstream text("2024-06-06 closed\n2024-06-07 closed\n2024-05-27 open\n");
    const HolidayList listed = HolidayList::Parse(text, "HOLIDAYS.TXT");
    EXPECT_FALSE(ValidateBankingDate(Date(2024, 6, 6), owner_, listed));
    ExpectOneWarning(std::string(kHoliday) + "4 days to the next likely Banking Day.", kNonBankingCaption, "6 June");
    shown_.clear();
    EXPECT_TRUE(ValidateBankingDate(Date(2024, 5, 27), owner_, listed));
    EXPECT_TRUE(ValidateBankingDate(Date(2024, 6, 6), owner_));  // the rule alone
    EXPECT_TRUE(shown_.empty());
}

// The calendar cannot place a day past 31 December 9999; it is refused as too far ahead.
TEST_F(DateChecks, RefusesADayPastThePlatformRange) {
    EXPECT_FALSE(ValidateBankingDate(Date(9999, 12, 31) + 1, owner_));
    ExpectOneWarning(kTooFar, kTooFarCaption, "1 January 10000");
}

TEST_F(DateChecks, HorizonAcceptsFortyFiveDaysAheadAndRefusesFortySix) {
    const double today = Date(2024, 5, 15);
    for (int days = -3; days <= 45; ++days) {
        EXPECT_FALSE(IsBeyondProcessingHorizon(today + days + 0.75, owner_)) << days;
    }
    EXPECT_TRUE(shown_.empty());
    for (const int days : {46, 47, 400}) {
        shown_.clear();
        EXPECT_TRUE(IsBeyondProcessingHorizon(today + days, owner_)) << days;
        ExpectOneWarning(kTooFar, kTooFarCaption, std::to_string(days) + " days ahead");
    }
}

// Calendar days count, not hours: late today and early on day 46 are still 46 days apart.
TEST_F(DateChecks, HorizonCountsCalendarDays) {
    today_.hour = 23;
    today_.minute = 59;
    EXPECT_FALSE(IsBeyondProcessingHorizon(Date(2024, 6, 29, 23, 59, 59), owner_));  // day 45
    EXPECT_TRUE(IsBeyondProcessingHorizon(Date(2024, 6, 30), owner_));              // day 46
}

TEST_F(DateChecks, ReadTheClockAfresh) {
    const double date = Date(2024, 5, 16);
    EXPECT_TRUE(ValidateBankingDate(date, owner_));
    today_.day = 17;
    EXPECT_FALSE(ValidateBankingDate(date, owner_));
    ExpectOneWarning(kBeforeToday, kBeforeTodayCaption, "after the clock moved on");
}

TEST_F(DateChecks, TheOwnerIsTheWindowGiven) {
    const platform::WindowHandle dialog = &today_;
    EXPECT_FALSE(ValidateBankingDate(Date(2024, 5, 18), dialog));
    EXPECT_TRUE(IsBeyondProcessingHorizon(Date(2025, 5, 18), dialog));
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].owner, dialog);
    EXPECT_EQ(shown_[1].owner, dialog);
}

}  // namespace
