#include "cli/accounts/command_tables.h"

#include <cstdio>
#include <filesystem>

#include "accounts/table_error.h"
#include "platform/module_folder.h"
#include "settings/settings_store.h"

namespace cli {

namespace fs = std::filesystem;

std::string ShippedTablesFolder() {
    const fs::path program = fs::u8path(platform::ModuleFolder().value_or("."));
    // Installed beside the program (Windows, a build tree), or in share/ beside its bin/ (Linux).
    std::error_code error;
    if (!fs::exists(program / kShippedWeightsName, error))
        return (program.parent_path() / "share" / "varrow" / "modulus").string();
    return program.string();
}

namespace {

ChosenTables Load(const char* command, const std::optional<std::string>& tablesFolder) {
    if (tablesFolder) return LoadTablesIn(*tablesFolder);
    SettingsStore settings;
    ChosenTables chosen = ChooseModulusTables(settings.SettingsFolder(), ShippedTablesFolder());
    if (!chosen.localPairPassedOver.empty())
        std::fprintf(stderr, "varrow %s: note: the newer tables beside BANKSERV.INI are not used: %s\n", command,
                     chosen.localPairPassedOver.c_str());
    return chosen;
}

}  // namespace

std::optional<ChosenTables> LoadCommandTables(const char* command, const std::optional<std::string>& tablesFolder) {
    try {
        return Load(command, tablesFolder);
    } catch (const TableError& error) {
        std::fprintf(stderr, "varrow %s: %s\n", command, error.what());
        return std::nullopt;
    }
}

std::string TablesInUse(const ChosenTables& chosen) {
    std::string text = "modulus tables " + chosen.version;
    if (chosen.origin != TableOrigin::Shipped) text += ", from " + chosen.weightsPath;
    return text;
}

}  // namespace cli
