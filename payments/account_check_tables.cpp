#include "payments/account_check_tables.h"

#include <string>

#include "accounts/table_choice.h"
#include "accounts/table_error.h"
#include "payments/run_message_caption.h"
#include "platform/debug_output.h"
#include "platform/message_box.h"
#include "platform/module_folder.h"

namespace {

void TellTheChecksAreOff(const std::string& reason) {
    const std::string text =
        "The account number check is turned on (ModulusCheck=1 in BANKSERV.INI), but its tables cannot be read:\r\n" +
        reason +
        "\r\n\r\nThe payments will be written without the account number check. Cancel the payment options if "
        "you do not want to go on without it.";
    platform::ShowMessageBox({platform::ActiveWindow(), text, kRunMessageCaption, platform::MessageIcon::Warning,
                              platform::MessageButtons::Ok});
}

}  // namespace

std::optional<ModulusTables> AccountCheckTables(SettingsStore& settings) {
    if (!settings.AccountCheckEnabled()) return std::nullopt;
    try {
        ChosenTables chosen = ChooseModulusTables(settings.SettingsFolder(), platform::ModuleFolder().value_or(""));
        // The administrator's newer pair is broken; the user can do nothing about it, whoever
        // looks after the machine can.
        if (!chosen.localPairPassedOver.empty())
            platform::OutputDebugText("Varrow Online: newer modulus tables not used: " + chosen.localPairPassedOver + "\n");
        return std::move(chosen.tables);
    } catch (const TableError& error) {
        TellTheChecksAreOff(error.what());
        return std::nullopt;
    }
}
