// varrow calendar and varrow next-date: the banking-day calendar, date by date.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/calendar/command_holidays.h"
#include "cli/calendar/date_text.h"
#include "cli/commands.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/input_file.h"
#include "cli/shared/option_reader.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"
#include "options/calendar.h"

namespace cli {

namespace {

const char* const kCalendarHelp =
    "usage: varrow calendar [--holidays FILE] [DATE...]\n"
    "\n"
    "For each DATE, or with none each line of standard input, tells whether the banks process\n"
    "payments on it:\n"
    "  DD/MM/YYYY banking 0\n"
    "  DD/MM/YYYY holiday N     a bank holiday; N days on is the next likely banking day\n"
    "  DD/MM/YYYY weekend N\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD. A text that is not an existing date is a usage\n"
    "error (exit 64): among the arguments before anything is printed, on standard input where\n"
    "it stands.\n"
    "%s";

const char* const kNextDateHelp =
    "usage: varrow next-date [--holidays FILE] [DATE...]\n"
    "\n"
    "For each DATE, or with none each line of standard input, prints the date and the default\n"
    "processing date of a payment run started on it at 00:00:\n"
    "  DD/MM/YYYY DD/MM/YYYY\n"
    "Dates are written DD/MM/YYYY or YYYY-MM-DD. A text that is not an existing date is a usage\n"
    "error (exit 64): among the arguments before anything is printed, on standard input where\n"
    "it stands.\n"
    "%s";

const char* const kHolidaysHelp =
    "\n"
    "--holidays FILE\n"
    "  the days listed for the calendar, one a line: YYYY-MM-DD closed (a bank holiday the rule\n"
    "  does not know) or YYYY-MM-DD open (a rule holiday that was moved away), a comment after #.\n"
    "  Default: HOLIDAYS.TXT beside BANKSERV.INI, as the component reads it, when it is there;\n"
    "  standard error names the list in use. A FILE that cannot be read cleanly exits 66 naming\n"
    "  the file and the line; a damaged HOLIDAYS.TXT is passed over with a note, as the component\n"
    "  passes it over.\n";

const std::vector<OptionSpec> kOptions = {{"--holidays"}};

double DateOf(const std::string& text, const std::string& where) {
    const auto date = ParseCommandLineDate(text);
    if (!date) throw UsageError(where + Shown(text) + " is not an existing date written DD/MM/YYYY or YYYY-MM-DD");
    return *date;
}

std::string Trimmed(const std::string& line) {
    const char* const blanks = " \t\r";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

// The dates that `varrow calendar` and `varrow next-date` work on: the arguments, all checked
// before the first is used, or, when there are none, each line of `input` in turn (blanks around
// a date and blank lines are ignored; the first line that is not a date stops the command).
// Throws UsageError naming the text that is not a date.
void ForEachDate(const std::vector<std::string>& args, std::FILE* input, const std::function<void(double)>& each) {
    if (!args.empty()) {
        std::vector<double> dates;
        for (const auto& arg : args) {
            dates.push_back(DateOf(arg, ""));
        }
        for (const double date : dates) each(date);
        return;
    }
    std::size_t number = 0;
    while (const auto line = ReadInputLine(input)) {
        ++number;
        const std::string text = Trimmed(*line);
        if (!text.empty()) each(DateOf(text, "line " + std::to_string(number) + ": "));
    }
}

const char* KindName(const BankingDay& day) {
    switch (day.kind) {
        case NonBankingKind::None: return "banking";
        case NonBankingKind::BankHoliday: return "holiday";
        case NonBankingKind::Weekend: return "weekend";
    }
    return "?";
}

std::string Formatted(double date) {
    const auto text = FormatCommandLineDate(date);
    if (!text) throw UsageError("a date lies outside the years 100 to 9999");
    return *text;
}

void PrintBankingDay(double date, const HolidayList& listed) {
    const BankingDay day = IsBankingDay(date, listed);
    std::printf("%s %s %d\n", Formatted(date).c_str(), KindName(day), day.advance);
}

void PrintNextDate(double date, const HolidayList& listed) {
    const double next = NextAvailableProcessingDate(date, listed);
    const auto nextText = FormatCommandLineDate(next);
    if (!nextText) throw UsageError("the next processing date after " + Formatted(date) + " lies beyond 31/12/9999");
    std::printf("%s %s\n", Formatted(date).c_str(), nextText->c_str());
}

int RunDateCommand(const char* name, const char* help, const std::vector<std::string>& args,
                   void (*print)(double, const HolidayList&)) {
    return RunGuarded(name, [&] {
        if (AsksForHelp(args)) {
            std::printf(help, kHolidaysHelp);
            return kSuccess;
        }
        const OptionReader options(args, kOptions);
        const auto listed = LoadCommandHolidays(name, options.Take("--holidays"));
        if (!listed) return kHolidaysUnreadable;
        ForEachDate(options.Positional(), stdin, [&](double date) { print(date, *listed); });
        return kSuccess;
    });
}

}  // namespace

int RunCalendar(const std::vector<std::string>& args) { return RunDateCommand("calendar", kCalendarHelp, args, PrintBankingDay); }

int RunNextDate(const std::vector<std::string>& args) { return RunDateCommand("next-date", kNextDateHelp, args, PrintNextDate); }

}  // namespace cli
