#pragma once
#include <string>

#include "accounts/modulus_tables.h"

// An administrator may put a newer pair of tables, under these names, in the folder of the
// settings file BANKSERV.INI.
constexpr const char* kLocalWeightsName = "VALACDOS.TXT";
constexpr const char* kLocalSubstitutionsName = "SCSUBTAB.TXT";

// The pair that ships with the product; the weight table's name carries the version.
constexpr const char* kShippedWeightsName = "valacdos-v8-50.txt";
constexpr const char* kShippedSubstitutionsName = "scsubtab.txt";

enum class TableOrigin { Shipped, SettingsFolder };

struct ChosenTables {
    ModulusTables tables;
    TableOrigin origin = TableOrigin::Shipped;
    std::string weightsPath;
    std::string substitutionsPath;
    // The shipped pair's release ("v8.50"); a local pair carries no version, so its text says so and
    // gives its number of weight rows, which changes with almost every release ("local, 1151 rows").
    std::string version;
    // Why a pair in the settings folder is not in use (one line naming the file, and the line at
    // fault); empty when it is, or when the folder holds neither file.
    std::string localPairPassedOver;
};

// The tables a run uses: the pair in `settingsFolder` when both files are there and both read
// cleanly, otherwise the shipped pair in `shippedFolder`. Throws TableError when the shipped pair
// is needed and cannot be read.
ChosenTables ChooseModulusTables(const std::string& settingsFolder, const std::string& shippedFolder);
