#include "cli/export/stand_ins.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "cli/shared/utf8.h"
#include "common/ole_date.h"
#include "platform/code_page.h"
#include "platform/local_clock.h"

namespace cli {

namespace {

platform::MessageAnswer PrintInsteadOfShowing(const platform::MessageBoxRequest& request) {
    PrintMessage(request.text);
    return request.buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::No
                                                              : platform::MessageAnswer::Ok;
}

CivilDateTime MidnightOf(double day) {
    const auto date = FromOleDate(std::trunc(day));
    if (!date) throw std::invalid_argument("--today lies outside the calendar");
    return CivilDateTime{static_cast<const CivilDate&>(*date)};
}

}  // namespace

ConsoleMessages::ConsoleMessages() : hook_(platform::MessageBoxHook(), PrintInsteadOfShowing) {}

std::string AsPlainLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return lines;
}

void PrintMessage(std::string_view text) {
    const std::string lines = AsPlainLines(text) + "\n";
    std::fwrite(lines.data(), 1, lines.size(), stderr);
    std::fflush(stderr);
}

std::optional<std::u16string> ArgumentText(const std::string& argument) {
#ifdef _WIN32
    return platform::AnsiToWide(argument);
#else
    return Utf8ToUtf16(argument);
#endif
}

CString BoxText(const std::u16string& typed, int limit) {
    std::size_t kept = std::min(typed.size(), static_cast<std::size_t>(limit));
    if (kept > 0 && kept < typed.size() && typed[kept - 1] >= 0xD800 && typed[kept - 1] <= 0xDBFF) --kept;
    return CString(std::u16string_view(typed).substr(0, kept));
}

FixedToday::FixedToday(double day)
    : hook_(platform::LocalTimeHook(), [time = MidnightOf(day)] { return time; }) {}

}  // namespace cli
