#pragma once
// The bank account a run is for, as the host's service filter names it.
#include "host/generated_interfaces.h"
#include "settings/settings_keys.h"

// The filter's account (its method 1), then the account's sort code (method 1) and number
// (method 5). No filter or no account gives no account; a failing text call leaves that text out.
// Nothing here raises: the account only names the settings keys.
AccountForKeys AccountOfFilter(ITeskServiceFilter* filter);
