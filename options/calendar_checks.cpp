// The two checks that the options dialog runs on the date the user chose. Each refusal is told to
// the user in a message box; nothing is raised to the caller.
#include <string>

#include "options/calendar.h"
#include "options/calendar_day.h"

namespace {

constexpr char kBeforeTodayText[] =
    "The processing date you specify for payments MUST be on or after the current system date.";
constexpr char kBeforeTodayCaption[] = "Invalid Banking Date Specified";
constexpr char kHolidayText[] = "The date you specified falls on a Bank holiday. Try advancing the date \r\n";
constexpr char kWeekendText[] = "The date you specified falls on a weekend. Try advancing the date \r\n";
constexpr char kNonBankingCaption[] = "Non-Banking Date Specified";
constexpr char kBeyondHorizonText[] =
    "The processing date specified is too far in the future.\r"
    "Processing dates can be at most 45 days after today's date.";
constexpr char kBeyondHorizonCaption[] = "Invalid Processing Date Specified";

void Warn(platform::WindowHandle owner, std::string text, const char* caption) {
    platform::MessageBoxRequest request;
    request.owner = owner;
    request.text = std::move(text);
    request.caption = caption;
    request.icon = platform::MessageIcon::Warning;
    request.buttons = platform::MessageButtons::Ok;
    platform::ShowMessageBox(request);
}

std::string NonBankingText(const BankingDay& answer) {
    const std::string advance = std::to_string(answer.advance);
    const char* firstLine = answer.kind == NonBankingKind::Weekend ? kWeekendText : kHolidayText;
    const char* unit = answer.advance == 1 ? " day" : " days";
    return firstLine + advance + unit + " to the next likely Banking Day.";
}

}  // namespace

bool IsBeforeToday(double date, double today) { return CalendarDay::Of(today) > CalendarDay::Of(date); }

bool IsBeyondHorizon(double date, double today) {
    return CalendarDay::Of(today) + kProcessingHorizonDays < CalendarDay::Of(date);
}

bool ValidateBankingDate(double date, platform::WindowHandle owner, const HolidayList& listed) {
    if (IsBeforeToday(date, CurrentLocalDate())) {
        Warn(owner, kBeforeTodayText, kBeforeTodayCaption);
        return false;
    }
    const BankingDay answer = IsBankingDay(date, listed);
    if (answer.banking) return true;
    // Only a day past the platform's last date has no kind: it is after today, so it is too far ahead.
    if (answer.kind == NonBankingKind::None) {
        Warn(owner, kBeyondHorizonText, kBeyondHorizonCaption);
    } else {
        Warn(owner, NonBankingText(answer), kNonBankingCaption);
    }
    return false;
}

bool IsBeyondProcessingHorizon(double date, platform::WindowHandle owner) {
    if (!IsBeyondHorizon(date, CurrentLocalDate())) return false;
    Warn(owner, kBeyondHorizonText, kBeyondHorizonCaption);
    return true;
}
