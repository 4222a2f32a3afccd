#pragma once
// Identifiers of the component's resources (TeskVarrowInternetBanking.rc uses the same numbers).
constexpr unsigned kTypeLibraryResource = 1;
constexpr unsigned kRegistryScriptBank = 101;
constexpr unsigned kRegistryScriptBankServices = 102;
constexpr unsigned kRegistryScriptBankPaymentService = 103;
constexpr unsigned kRegistryScriptBankStatementService = 104;
