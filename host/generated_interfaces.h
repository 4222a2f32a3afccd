#pragma once
// The interfaces of the host framework and of the component, as widl generates them from the
// IDL files beside this header.
#include <windows.h>
#include <ole2.h>

#include "tesk_varrow_internet_banking.h"
