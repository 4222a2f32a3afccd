#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/hook.h"
#include "platform/profile.h"
#include "platform/shell_folder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A store whose common application-data folder is a fresh directory.
class SettingsStoreTest : public ::testing::Test {
protected:
    void CreateFolder() { fs::create_directories(dir.Path() / "TESK" / "Tesk EBanking"); }
    std::string FolderText() const { return dir.Path().string(); }

    TempDir dir;
    platform::ScopedHook<std::optional<std::string>()> folder{platform::CommonAppDataFolderHook(),
                                                              [this] { return std::optional(FolderText()); }};
    SettingsStore store;
};

TEST_F(SettingsStoreTest, PathIsBelowTheCommonApplicationDataFolder) {
    const fs::path expected = dir.Path() / "TESK" / "Tesk EBanking" / "BANKSERV.INI";
    EXPECT_EQ(fs::path(store.SettingsFilePath().GetString()), expected);
}

TEST_F(SettingsStoreTest, WrittenValuesReadBack) {
    CreateFolder();
    ASSERT_TRUE(store.WriteSetting("VarrowQuidlaneTemplate123456_87654321", "RENT-Q1"));
    CString value;
    EXPECT_TRUE(store.ReadSetting("VarrowQuidlaneTemplate123456_87654321", value));
    EXPECT_EQ(value, "RENT-Q1");
}

TEST_F(SettingsStoreTest, MissingOrEmptyValueLeavesTheCallersDefault) {
    CreateFolder();
    ASSERT_TRUE(store.WriteSetting("VarrowQuidlaneBenRef", ""));
    CString value("default");
    EXPECT_FALSE(store.ReadSetting("VarrowQuidlaneBenRef", value));
    EXPECT_EQ(value, "default");
    EXPECT_FALSE(store.ReadSetting("NoSuchKey", value));
    EXPECT_EQ(value, "default");
}

TEST_F(SettingsStoreTest, LongValuesComeBackCutTo258Characters) {
    CreateFolder();
    ASSERT_TRUE(store.WriteSetting("k", CString(std::string_view(std::string(300, 'x')))));
    CString value;
    ASSERT_TRUE(store.ReadSetting("k", value));
    EXPECT_EQ(value.GetLength(), 258);
}

TEST_F(SettingsStoreTest, AccountCheckIsOnOnlyForModulusCheckOne) {
    CreateFolder();
    const std::string file = store.SettingsFilePath().GetString();
    EXPECT_FALSE(store.AccountCheckEnabled()) << "no file";
    const std::pair<const char*, bool> rows[] = {{"1", true}, {" 1 ", true}, {"0", false}, {"yes", false},
                                                 {"true", false}, {"11", false}, {"", false}};
    for (const auto& [value, on] : rows) {
        ASSERT_TRUE(platform::WriteProfileValue("Validation", "ModulusCheck", value, file));
        EXPECT_EQ(store.AccountCheckEnabled(), on) << "ModulusCheck=" << value;
    }
    // The key counts in its own section only.
    ASSERT_TRUE(platform::WriteProfileValue("Validation", "ModulusCheck", "0", file));
    ASSERT_TRUE(store.WriteSetting("ModulusCheck", "1"));
    EXPECT_FALSE(store.AccountCheckEnabled());
}

TEST_F(SettingsStoreTest, DuplicateDaysAreAWholeNumberFromOneTo400) {
    CreateFolder();
    const std::string file = store.SettingsFilePath().GetString();
    EXPECT_FALSE(store.DuplicateDays()) << "no file";
    const std::pair<const char*, std::optional<int>> rows[] = {
        {"1", 1},           {" 30 ", 30},         {"400", 400},         {"007", 7},          {"0", std::nullopt},
        {"401", std::nullopt}, {"-5", std::nullopt}, {"+5", std::nullopt}, {"7.0", std::nullopt}, {"7 days", std::nullopt},
        {"99999999999", std::nullopt}, {"", std::nullopt}};
    for (const auto& [value, days] : rows) {
        ASSERT_TRUE(platform::WriteProfileValue("Validation", "DuplicateDays", value, file));
        EXPECT_EQ(store.DuplicateDays(), days) << "DuplicateDays=" << value;
    }
    // What --duplicate-days takes: 0 turns the check off for one run.
    EXPECT_EQ(ParseDuplicateDays("0"), 0);
    EXPECT_EQ(ParseDuplicateDays(" 1"), std::nullopt);
}

TEST_F(SettingsStoreTest, SettingsFolderHoldsTheFile) {
    EXPECT_EQ(fs::path(store.SettingsFolder()), dir.Path() / "TESK" / "Tesk EBanking");
}

TEST_F(SettingsStoreTest, MissingFolderLosesTheWrite) {
    EXPECT_FALSE(store.WriteSetting("k", "v"));
    CString value;
    EXPECT_FALSE(store.ReadSetting("k", value));
    EXPECT_FALSE(fs::exists(dir.Path() / "TESK"));
}

TEST_F(SettingsStoreTest, FirstPathFoundIsKept) {
    const CString first = store.SettingsFilePath();
    const TempDir other;
    platform::ScopedHook<std::optional<std::string>()> moved(platform::CommonAppDataFolderHook(),
                                                             [&] { return std::optional(other.Path().string()); });
    EXPECT_EQ(store.SettingsFilePath(), first);
}

TEST(SettingsStore, UnknownFolderGivesNoPathAndIsAskedAgain) {
    int asked = 0;
    std::optional<std::string> answer;
    platform::ScopedHook<std::optional<std::string>()> folder(platform::CommonAppDataFolderHook(), [&] {
        ++asked;
        return answer;
    });
    SettingsStore store;
    EXPECT_TRUE(store.SettingsFilePath().IsEmpty());
    CString value("kept");
    EXPECT_FALSE(store.ReadSetting("k", value));
    EXPECT_FALSE(store.WriteSetting("k", "v"));
    EXPECT_EQ(value, "kept");
    const int before = asked;
    const TempDir dir;
    answer = dir.Path().string();
    EXPECT_FALSE(store.SettingsFilePath().IsEmpty());
    EXPECT_GT(asked, before);
}

TEST(SettingsStore, FolderTooLongForAPathGivesNoPath) {
    platform::ScopedHook<std::optional<std::string>()> folder(platform::CommonAppDataFolderHook(),
                                                              [] { return std::optional(std::string(250, 'a')); });
    SettingsStore store;
    EXPECT_TRUE(store.SettingsFilePath().IsEmpty());
}

}  // namespace
