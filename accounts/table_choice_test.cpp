#include "accounts/table_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "accounts/table_error.h"
#include "platform/shell_folder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kShippedFolder = VARROW_MODULUS_DIR;
const std::string kLocalWeights =
    "999990 999999 MOD11    0    0    0    0    0    0    8    7    6    5    4    3    2    1\r\n"
    "999990 999999 DBLAL    2    1    2    1    2    1    2    1    2    1    2    1    2    1\r\n";
const std::string kLocalSubstitutions = "938600 938611\r\n";

std::string InFolder(const std::string& folder, const char* name) { return *platform::AppendPath(folder, name); }

TEST(ChooseModulusTables, ShippedPairWithoutALocalOne) {
    const TempDir settings;
    const ChosenTables chosen = ChooseModulusTables(settings.Path().string(), kShippedFolder);
    EXPECT_EQ(chosen.origin, TableOrigin::Shipped);
    EXPECT_EQ(chosen.version, "v8.50");
    EXPECT_EQ(chosen.weightsPath, InFolder(kShippedFolder, kShippedWeightsName));
    EXPECT_EQ(chosen.substitutionsPath, InFolder(kShippedFolder, kShippedSubstitutionsName));
    EXPECT_EQ(chosen.tables.weights.RowCount(), 1151u);
    EXPECT_EQ(chosen.tables.substitutions.RowCount(), 21u);
    EXPECT_EQ(chosen.localPairPassedOver, "");
}

TEST(ChooseModulusTables, LocalPairTakesPrecedence) {
    const TempDir settings;
    const std::string weights = settings.Write(kLocalWeightsName, kLocalWeights);
    const std::string substitutions = settings.Write(kLocalSubstitutionsName, kLocalSubstitutions);
    const ChosenTables chosen = ChooseModulusTables(settings.Path().string(), kShippedFolder);
    EXPECT_EQ(chosen.origin, TableOrigin::SettingsFolder);
    EXPECT_EQ(chosen.version, "local, 2 rows");
    EXPECT_EQ(chosen.weightsPath, InFolder(settings.Path().string(), kLocalWeightsName));
    EXPECT_EQ(chosen.substitutionsPath, InFolder(settings.Path().string(), kLocalSubstitutionsName));
    EXPECT_EQ(chosen.tables.weights.RowCount(), 2u);
    EXPECT_EQ(chosen.localPairPassedOver, "");
}

TEST(ChooseModulusTables, ShippedPairWhenTheLocalOneCannotBeUsed) {
    const struct {
        const char* name;
        const char* weights;  // null: no such file
        const char* substitutions;
        const char* missingOrFaulty;
        const char* reason;
    } cases[] = {
        {"damaged weights", "999990 999999 MOD11    0\r\n", kLocalSubstitutions.c_str(), kLocalWeightsName,
         " line 1: 17 or 18 fields expected, 4 found"},
        {"damaged substitutions", kLocalWeights.c_str(), "938600\r\n", kLocalSubstitutionsName,
         " line 1: 2 fields expected, 1 found"},
        {"weights alone", kLocalWeights.c_str(), nullptr, kLocalSubstitutionsName,
         ": missing or cannot be read, so VALACDOS.TXT is not used either"},
        {"substitutions alone", nullptr, kLocalSubstitutions.c_str(), kLocalWeightsName,
         ": missing or cannot be read, so SCSUBTAB.TXT is not used either"},
    };
    for (const auto& c : cases) {
        const TempDir settings;
        if (c.weights) settings.Write(kLocalWeightsName, c.weights);
        if (c.substitutions) settings.Write(kLocalSubstitutionsName, c.substitutions);
        const ChosenTables chosen = ChooseModulusTables(settings.Path().string(), kShippedFolder);
        EXPECT_EQ(chosen.origin, TableOrigin::Shipped) << c.name;
        EXPECT_EQ(chosen.version, "v8.50") << c.name;
        EXPECT_EQ(chosen.localPairPassedOver, InFolder(settings.Path().string(), c.missingOrFaulty) + c.reason) << c.name;
    }
}

TEST(ChooseModulusTables, MissingShippedPairIsAnError) {
    const TempDir settings;
    const std::string shipped = settings.Path().string();
    try {
        ChooseModulusTables("", shipped);
        FAIL() << "no error";
    } catch (const TableError& error) {
        EXPECT_EQ(error.File(), InFolder(shipped, kShippedWeightsName));
        EXPECT_STREQ(error.what(), (InFolder(shipped, kShippedWeightsName) + ": cannot be read").c_str());
    }
}

}  // namespace
