#include "accounts/table_choice.h"

#include <fstream>
#include <optional>
#include <utility>

#include "accounts/table_error.h"
#include "platform/shell_folder.h"

namespace {

bool CanOpen(const std::string& path) { return std::ifstream(path, std::ios::in | std::ios::binary).is_open(); }

// "v8.50" from "valacdos-v8-50.txt".
std::string ShippedVersion() {
    const std::string name = kShippedWeightsName;
    const std::size_t start = name.find('-') + 1;
    std::string version = name.substr(start, name.rfind('.') - start);
    for (char& c : version) c = c == '-' ? '.' : c;
    return version;
}

ChosenTables Chosen(TableOrigin origin, const std::string& weightsPath, const std::string& substitutionsPath) {
    ChosenTables chosen{LoadModulusTables(weightsPath, substitutionsPath), origin, weightsPath, substitutionsPath, {}, {}};
    chosen.version = origin == TableOrigin::Shipped
                         ? ShippedVersion()
                         : "local, " + std::to_string(chosen.tables.weights.RowCount()) + " rows";
    return chosen;
}

// The local pair when it can be used; otherwise why not, in `passedOver`, or nothing when there is none.
std::optional<ChosenTables> LocalPair(const std::string& folder, std::string& passedOver) {
    if (folder.empty()) return std::nullopt;
    const auto weights = platform::AppendPath(folder, kLocalWeightsName);
    const auto substitutions = platform::AppendPath(folder, kLocalSubstitutionsName);
    if (!weights || !substitutions) return std::nullopt;
    const bool hasWeights = CanOpen(*weights);
    if (hasWeights != CanOpen(*substitutions)) {
        const std::string& missing = hasWeights ? *substitutions : *weights;
        const char* present = hasWeights ? kLocalWeightsName : kLocalSubstitutionsName;
        passedOver = TableError(missing, 0, std::string("missing or cannot be read, so ") + present + " is not used either").what();
        return std::nullopt;
    }
    if (!hasWeights) return std::nullopt;
    try {
        return Chosen(TableOrigin::SettingsFolder, *weights, *substitutions);
    } catch (const TableError& error) {
        passedOver = error.what();
        return std::nullopt;
    }
}

}  // namespace

ChosenTables ChooseModulusTables(const std::string& settingsFolder, const std::string& shippedFolder) {
    std::string passedOver;
    if (auto local = LocalPair(settingsFolder, passedOver)) return std::move(*local);
    const auto weights = platform::AppendPath(shippedFolder, kShippedWeightsName);
    const auto substitutions = platform::AppendPath(shippedFolder, kShippedSubstitutionsName);
    if (!weights || !substitutions) throw TableError(shippedFolder, 0, "path too long for the tables");
    ChosenTables chosen = Chosen(TableOrigin::Shipped, *weights, *substitutions);
    chosen.localPairPassedOver = std::move(passedOver);
    return chosen;
}
