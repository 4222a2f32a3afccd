// The administrator's list of days the rule gets wrong: how it is read, and what the calendar
// answers with it.
#include "options/holiday_list.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "options/calendar.h"
#include "options/calendar_test_helpers.h"
#include "tests/support/temp_dir.h"

namespace {

using calendar_test::Date;
using calendar_test::Describe;
using calendar_test::Show;

HolidayList Parsed(const std::string& text) {
    std::istringstream in(text);
    return HolidayList::Parse(in, "HOLIDAYS.TXT");
}

// "closed", "open" or "-" for a day the list does not hold.
std::string Listed(const HolidayList& list, double date) {
    const auto listedAs = list.Find(CalendarDay::Of(date));
    if (!listedAs) return "-";
    return *listedAs == ListedAs::Closed ? "closed" : "open";
}

struct ReadCase {
    const char* name;
    std::string text;
    std::size_t days;
    double date;           // a day the case is about
    const char* listedAs;  // as Listed gives it
};

TEST(HolidayList, ReadsEachFormALineMayTake) {
    const ReadCase cases[] = {
        {"empty file", "", 0, Date(2022, 6, 2), "-"},
        {"blank and comment lines only", "\n   \n# one-off days\r\n\t# indented comment\n", 0, Date(2022, 6, 2), "-"},
        {"closed", "2022-06-02 closed\n", 1, Date(2022, 6, 2), "closed"},
        {"open", "2020-05-04 open\n", 1, Date(2020, 5, 4), "open"},
        {"no line end", "2022-06-02 closed", 1, Date(2022, 6, 2), "closed"},
        {"CR LF", "2022-06-02 closed\r\n2022-06-03 closed\r\n", 2, Date(2022, 6, 3), "closed"},
        {"comment after the word", "2022-09-19 closed # state funeral\n", 1, Date(2022, 9, 19), "closed"},
        {"comment touching the word", "2022-09-19 closed#funeral\n", 1, Date(2022, 9, 19), "closed"},
        {"tabs and blanks around", "\t 2023-05-08\t\tclosed  \n", 1, Date(2023, 5, 8), "closed"},
        {"any case", "2023-05-08 Closed\n2020-05-04 OPEN\n", 2, Date(2020, 5, 4), "open"},
        {"byte order mark", "\xEF\xBB\xBF" "2022-06-02 closed\n", 1, Date(2022, 6, 2), "closed"},
        {"a day not listed", "2022-06-02 closed\n", 1, Date(2022, 6, 1), "-"},
        {"comment holding anything", "# 2022-06-02 closed \xA3\x01\n2022-06-03 open\n", 1, Date(2022, 6, 2), "-"},
    };
    for (const auto& c : cases) {
        const HolidayList list = Parsed(c.text);
        EXPECT_EQ(list.Size(), c.days) << c.name;
        EXPECT_EQ(Listed(list, c.date), c.listedAs) << c.name << ": " << Show(c.date);
        EXPECT_EQ(list.Source(), "HOLIDAYS.TXT") << c.name;
    }
}

struct DamageCase {
    const char* name;
    std::string text;
    std::string message;  // after the file's name
};

const std::string kNoDate = ": the line does not begin with an existing date written YYYY-MM-DD";
const std::string kNoWord = ": the word after the date must be closed or open";

TEST(HolidayList, RefusesTheWholeFileForOneBadLine) {
    const DamageCase cases[] = {
        {"no such date", "2022-06-02 closed\n2022-02-30 closed\n", "line 2" + kNoDate},
        {"day first", "02/06/2022 closed\n", "line 1" + kNoDate},
        {"short year", "22-06-02 closed\n", "line 1" + kNoDate},
        {"year through the two-digit window", "0022-06-02 closed\n", "line 1" + kNoDate},
        {"word alone", "closed\n", "line 1" + kNoDate},
        {"word run into the date", "2022-06-02closed\n", "line 1" + kNoDate},
        {"date alone", "# list\n\n2022-06-02\n", "line 3: the date needs the word closed or open after it"},
        {"unknown word", "2022-06-02 shut\n", "line 1" + kNoWord},
        {"NUL in the word", std::string("2022-06-02 clo\0sed\n", 19), "line 1" + kNoWord},
        {"text after the word", "2022-06-02 closed Jubilee\n",
         "line 1: there is more than a date and a word (a comment starts with #)"},
        {"listed twice", "2022-06-02 closed\n2022-06-03 closed\n2022-06-02 open\n",
         "line 3: 2022-06-02 is listed already, on line 1"},
        {"the same line twice", "2023-05-08 closed\r\n2023-05-08 closed\r\n",
         "line 2: 2023-05-08 is listed already, on line 1"},
    };
    for (const auto& c : cases) {
        try {
            Parsed(c.text);
            ADD_FAILURE() << c.name << ": read without complaint";
        } catch (const HolidayListError& error) {
            EXPECT_EQ(std::string(error.what()), "HOLIDAYS.TXT " + c.message) << c.name;
        }
    }
}

TEST(HolidayList, TellsAFileThatIsThereButCannotBeReadFromOneThatIsNot) {
    const TempDir folder;
    EXPECT_FALSE(HolidayListIn(folder.Path().string()).has_value());
    EXPECT_FALSE(HolidayListIn("").has_value());
    const std::string path = folder.Write(kHolidayListName, "2022-09-19 closed\n");
    const auto list = HolidayListIn(folder.Path().string());
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->Source(), path);
    EXPECT_EQ(Listed(*list, Date(2022, 9, 19)), "closed");
    try {
        ReadHolidayList(folder.File("missing.txt"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const HolidayListError& error) {
        EXPECT_EQ(std::string(error.what()), folder.File("missing.txt") + ": cannot be read");
        EXPECT_EQ(error.Line(), 0u);
    }
}

struct CalendarCase {
    double date;
    const char* expected;  // as the rule table writes an answer
};

// The seven one-off days of 2020-2023, and days around them, with a list that closes a Saturday,
// opens a Sunday and Easter Monday 2024, and closes two weeks of July 2024.
TEST(HolidayList, TheCalendarFollowsTheListedDays) {
    const HolidayList list = Parsed(
        "2020-05-08 closed\n2020-05-04 open\n2022-06-02 closed\n2022-06-03 closed\n2022-05-30 open\n"
        "2022-09-19 closed\n2023-05-08 closed\n2024-06-08 closed\n2024-06-16 open\n2024-04-01 open\n"
        "2024-07-01 closed\n2024-07-02 closed\n2024-07-03 closed\n2024-07-04 closed\n2024-07-05 closed\n"
        "2024-07-08 closed\n2024-07-09 closed\n2024-07-10 closed\n2024-07-11 closed\n2024-07-12 closed\n");
    const CalendarCase cases[] = {
        {Date(2020, 5, 8), "holiday 3"},    // Friday: to Monday 11 May
        {Date(2020, 5, 4), "banking"},      // the early May Monday, moved away
        {Date(2020, 5, 3), "weekend 1"},    // to that Monday
        {Date(2020, 5, 9), "weekend 2"},
        {Date(2022, 5, 30), "banking"},
        {Date(2022, 5, 28), "weekend 2"},
        {Date(2022, 6, 2), "holiday 4"},    // Thursday: past Friday and the weekend
        {Date(2022, 6, 3, 18), "holiday 3"},
        {Date(2022, 6, 1), "banking"},
        {Date(2022, 9, 17), "weekend 3"},   // the rule's 2 would land on the funeral
        {Date(2022, 9, 18), "weekend 2"},
        {Date(2022, 9, 19), "holiday 1"},
        {Date(2023, 5, 6), "weekend 3"},
        {Date(2023, 5, 8), "holiday 1"},
        {Date(2023, 5, 1), "holiday 1"},    // a rule holiday not listed stays as the rule has it
        {Date(2024, 6, 8), "holiday 2"},    // a closed Saturday is a bank holiday
        {Date(2024, 6, 16), "weekend 1"},   // an open Sunday is still a weekend day
        {Date(2024, 4, 1), "banking"},      // Easter Monday opened
        {Date(2024, 3, 29), "holiday 3"},   // so Good Friday's 4 becomes 3
        {Date(2024, 3, 30), "weekend 2"},
        {Date(2024, 7, 1), "holiday 7"},    // the next banking day is 15 July: at most 7
        {Date(2024, 7, 12), "holiday 3"},
        {Date(2024, 6, 29), "weekend 7"},   // the rule's 2 would land in the closed fortnight
        {Date(2024, 7, 15), "banking"},
    };
    for (const auto& c : cases) EXPECT_EQ(Describe(IsBankingDay(c.date, list)), c.expected) << Show(c.date);
}

TEST(HolidayList, TheDefaultDateCountsListedDays) {
    const HolidayList list = Parsed("2020-05-08 closed\n2020-05-04 open\n2022-06-02 closed\n2022-06-03 closed\n"
                                    "2022-09-19 closed\n");
    const struct {
        double now, withList, ruleAlone;
    } cases[] = {
        {Date(2020, 5, 6), Date(2020, 5, 11), Date(2020, 5, 8)},    // Friday 8 May counted, Saturday advances
        {Date(2020, 4, 30), Date(2020, 5, 4), Date(2020, 5, 5)},    // Monday 4 May no longer counted
        {Date(2022, 5, 31), Date(2022, 6, 6), Date(2022, 6, 2)},
        {Date(2022, 9, 15), Date(2022, 9, 20), Date(2022, 9, 19)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextAvailableProcessingDate(c.now, list), c.withList) << Show(c.now);
        EXPECT_EQ(NextAvailableProcessingDate(c.now), c.ruleAlone) << Show(c.now);
    }
}

}  // namespace
