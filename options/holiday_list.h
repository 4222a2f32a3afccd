#pragma once
#include <cstddef>
#include <istream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "options/calendar_day.h"

// The days an administrator lists because the calendar's rule gets them wrong: a one-off bank
// holiday that is proclaimed a few months ahead (closed), or a rule holiday that was moved away
// (open). One a line, "YYYY-MM-DD closed" or "YYYY-MM-DD open", an optional comment after "#";
// blank lines and comment lines are allowed.

// The file's name in the folder of BANKSERV.INI.
inline constexpr char kHolidayListName[] = "HOLIDAYS.TXT";

enum class ListedAs { Closed, Open };

// A list that cannot be used: one line naming the file and, where one is at fault, the line.
class HolidayListError : public std::runtime_error {
public:
    HolidayListError(const std::string& file, std::size_t line, const std::string& reason);
    // 1-based; 0 when the fault is the file's as a whole.
    std::size_t Line() const noexcept { return line_; }

private:
    std::size_t line_;
};

class HolidayList {
public:
    // No day listed: the rule alone.
    HolidayList() = default;

    // The list that `in` holds, read from `fileName`, which errors name. Throws HolidayListError
    // for a line that is not a date and a word, for a date that does not exist, for a word other
    // than closed or open (in any case) and for a date listed twice: a list that is wrong in one
    // line cannot be trusted in the others.
    static HolidayList Parse(std::istream& in, const std::string& fileName);

    bool Empty() const noexcept { return days_.empty(); }
    std::size_t Size() const noexcept { return days_.size(); }
    // The file the list was read from; empty for no list.
    const std::string& Source() const noexcept { return source_; }

    std::optional<ListedAs> Find(CalendarDay day) const;
    // Whether any day from `first` to `last`, both included, is listed.
    bool ListsAnyDay(CalendarDay first, CalendarDay last) const;

private:
    std::map<double, ListedAs> days_;  // by day number
    std::string source_;
};

// The list in the file at `path`. Throws HolidayListError when it cannot be read, or as Parse.
HolidayList ReadHolidayList(const std::string& path);

// The list named kHolidayListName in `folder`: nothing when the folder is empty or holds no such
// file; throws HolidayListError when the file is there but cannot be used.
std::optional<HolidayList> HolidayListIn(const std::string& folder);
