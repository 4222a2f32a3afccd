// varrow calendar and varrow next-date: the banking-day calendar, date by date.
#include <cstdio>
#include <string>

#include "cli/command_guard.h"
#include "cli/commands.h"
#include "cli/date_input.h"
#include "cli/date_text.h"
#include "cli/help_request.h"
#include "cli/payment_help.h"
#include "cli/usage_error.h"
#include "options/calendar.h"

namespace cli {

namespace {

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

void PrintBankingDay(double date) {
    const BankingDay day = IsBankingDay(date);
    std::printf("%s %s %d\n", Formatted(date).c_str(), KindName(day), day.advance);
}

void PrintNextDate(double date) {
    const double next = NextAvailableProcessingDate(date);
    const auto nextText = FormatCommandLineDate(next);
    if (!nextText) throw UsageError("the next processing date after " + Formatted(date) + " lies beyond 31/12/9999");
    std::printf("%s %s\n", Formatted(date).c_str(), nextText->c_str());
}

int RunDateCommand(const char* name, const char* help, const std::vector<std::string>& args, void (*print)(double)) {
    return RunGuarded(name, [&] {
        if (AsksForHelp(args)) {
            std::fputs(help, stdout);
            return kSuccess;
        }
        ForEachDate(args, stdin, print);
        return kSuccess;
    });
}

}  // namespace

int RunCalendar(const std::vector<std::string>& args) { return RunDateCommand("calendar", kCalendarHelp, args, PrintBankingDay); }

int RunNextDate(const std::vector<std::string>& args) { return RunDateCommand("next-date", kNextDateHelp, args, PrintNextDate); }

}  // namespace cli
