#pragma once
#include <optional>

#include "accounts/modulus_tables.h"
#include "settings/settings_store.h"

// The tables of the bank's account number check for one payment run, read once when BANKSERV.INI
// turns the check on, and nothing otherwise. A newer pair that an administrator put beside
// BANKSERV.INI takes precedence over the pair installed beside the component. When no pair can be
// read, the user is told before the options dialog (where the run can still be cancelled) and the
// run goes on without the check: the payments must not look checked when they were not, nor must
// a damaged installation stop the suppliers from being paid.
std::optional<ModulusTables> AccountCheckTables(SettingsStore& settings);
