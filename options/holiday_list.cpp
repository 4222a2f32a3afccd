#include "options/holiday_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <vector>

#include "common/ole_date.h"
#include "common/written_date.h"
#include "platform/file_search.h"
#include "platform/shell_folder.h"

namespace {

constexpr std::string_view kSeparators = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The words of a line before its comment.
std::vector<std::string_view> Words(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    for (std::size_t start = line.find_first_not_of(kSeparators); start != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kSeparators, start), line.size());
        words.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kSeparators, end);
    }
    return words;
}

bool SameWord(std::string_view word, std::string_view expected) {
    return word.size() == expected.size() &&
           std::equal(word.begin(), word.end(), expected.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

std::optional<ListedAs> ParseWord(std::string_view word) {
    if (SameWord(word, "closed")) return ListedAs::Closed;
    if (SameWord(word, "open")) return ListedAs::Open;
    return std::nullopt;
}

// "2022-06-02" of a day that the list holds.
std::string IsoText(CalendarDay day) { return FormatIsoDate(day.At(0)).value_or(""); }

}  // namespace

HolidayListError::HolidayListError(const std::string& file, std::size_t line, const std::string& reason)
    : std::runtime_error(file + (line > 0 ? " line " + std::to_string(line) : std::string()) + ": " + reason),
      line_(line) {}

HolidayList HolidayList::Parse(std::istream& in, const std::string& fileName) {
    HolidayList list;
    list.source_ = fileName;
    std::map<double, std::size_t> listedOn;
    std::string text;
    for (std::size_t number = 1; std::getline(in, text); ++number) {
        std::string_view line = text;
        if (number == 1 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark) line.remove_prefix(kByteOrderMark.size());
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto words = Words(line);
        if (words.empty()) continue;
        const auto fail = [&](const std::string& reason) { throw HolidayListError(fileName, number, reason); };
        const auto date = ParseIsoDate(words[0]);
        if (!date) fail("the line does not begin with an existing date written YYYY-MM-DD");
        if (words.size() < 2) fail("the date needs the word closed or open after it");
        const auto listedAs = ParseWord(words[1]);
        if (!listedAs) fail("the word after the date must be closed or open");
        if (words.size() > 2) fail("there is more than a date and a word (a comment starts with #)");
        const CalendarDay day = CalendarDay::Of(*date);
        const auto [earlier, added] = listedOn.emplace(day.Number(), number);
        if (!added) fail(IsoText(day) + " is listed already, on line " + std::to_string(earlier->second));
        list.days_.emplace(day.Number(), *listedAs);
    }
    if (in.bad()) throw HolidayListError(fileName, 0, "cannot be read");
    return list;
}

std::optional<ListedAs> HolidayList::Find(CalendarDay day) const {
    const auto found = days_.find(day.Number());
    if (found == days_.end()) return std::nullopt;
    return found->second;
}

bool HolidayList::ListsAnyDay(CalendarDay first, CalendarDay last) const {
    const auto from = days_.lower_bound(first.Number());
    return from != days_.end() && !(last.Number() < from->first);
}

HolidayList ReadHolidayList(const std::string& path) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) throw HolidayListError(path, 0, "cannot be read");
    return HolidayList::Parse(in, path);
}

std::optional<HolidayList> HolidayListIn(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    const auto path = platform::AppendPath(folder, kHolidayListName);
    // A file that is there but cannot be opened is no missing file: it is told, not passed over.
    if (!path || !platform::AnyFileMatches(*path)) return std::nullopt;
    return ReadHolidayList(*path);
}
