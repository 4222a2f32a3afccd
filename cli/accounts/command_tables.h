#pragma once
#include <optional>
#include <string>

#include "accounts/table_choice.h"

namespace cli {

// The folder of the tables that ship with varrow: beside the program (the Windows install folder,
// a build tree), else share/varrow/modulus beside the program's bin folder, where the Linux
// packages put them.
std::string ShippedTablesFolder();

// The tables of the account number check for a command: those in `tablesFolder` when one is named
// (see LoadTablesIn), otherwise as the component chooses them: a newer pair beside BANKSERV.INI,
// else the shipped pair. A newer pair that is passed over is noted on standard error. Nothing when
// no pair can be read, once standard error names the file and the line at fault.
std::optional<ChosenTables> LoadCommandTables(const char* command, const std::optional<std::string>& tablesFolder);

// "modulus tables v8.50", or for a newer pair "modulus tables local, 1151 rows, from PATH".
std::string TablesInUse(const ChosenTables& chosen);

}  // namespace cli
