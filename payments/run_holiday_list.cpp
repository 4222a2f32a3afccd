#include "payments/run_holiday_list.h"

#include <string>

#include "payments/run_message_caption.h"
#include "platform/message_box.h"

namespace {

void TellTheListIsNotUsed(const std::string& reason) {
    const std::string text =
        "The list of bank holidays beside BANKSERV.INI cannot be read:\r\n" + reason +
        "\r\n\r\nThe processing date will be checked against the regular bank holidays alone. Whoever looks "
        "after this machine can correct the file.";
    platform::ShowMessageBox({platform::ActiveWindow(), text, kRunMessageCaption, platform::MessageIcon::Warning,
                              platform::MessageButtons::Ok});
}

}  // namespace

HolidayList RunHolidayList(SettingsStore& settings) {
    try {
        return HolidayListIn(settings.SettingsFolder()).value_or(HolidayList());
    } catch (const HolidayListError& error) {
        TellTheListIsNotUsed(error.what());
        return HolidayList();
    }
}
