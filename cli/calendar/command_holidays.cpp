#include "cli/calendar/command_holidays.h"

#include <cstdio>

#include "settings/settings_store.h"

namespace cli {

namespace {

std::optional<HolidayList> SettingsFolderList() {
    SettingsStore settings;
    return HolidayListIn(settings.SettingsFolder());
}

// "holiday list PATH (7 days)"
std::string Described(const HolidayList& list) {
    const std::size_t days = list.Size();
    return "holiday list " + list.Source() + " (" + std::to_string(days) + (days == 1 ? " day)" : " days)");
}

}  // namespace

std::optional<HolidayList> LoadCommandHolidays(const char* command, const std::optional<std::string>& file) {
    std::optional<HolidayList> list;
    try {
        list = file ? ReadHolidayList(*file) : SettingsFolderList();
    } catch (const HolidayListError& error) {
        if (file) {
            std::fprintf(stderr, "varrow %s: %s\n", command, error.what());
            return std::nullopt;
        }
        std::fprintf(stderr, "varrow %s: note: the holiday list beside BANKSERV.INI is not used: %s\n", command,
                     error.what());
        return HolidayList();
    }
    if (!list) return HolidayList();
    std::fprintf(stderr, "varrow %s: note: %s in use\n", command, Described(*list).c_str());
    return list;
}

std::optional<std::string> HolidaysInUse() {
    try {
        const auto list = SettingsFolderList();
        if (!list) return std::nullopt;
        return Described(*list);
    } catch (const HolidayListError& error) {
        return std::string("holiday list not used: ") + error.what();
    }
}

}  // namespace cli
