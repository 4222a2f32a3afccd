#pragma once
// The host framework's classes that the component creates for one operation each.
#include <windows.h>

// BankConfiguration: where payment files go, the statement chooser's set-up, bank registration.
constexpr CLSID kBankConfigurationClassId = {0x0BE0D1E2, 0x5E1E, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};

// StatementFileChooser: lets the user pick a statement file.
constexpr CLSID kStatementFileChooserClassId = {0x40839E2E, 0x5D63, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};
