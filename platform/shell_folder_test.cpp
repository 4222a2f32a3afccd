#include "platform/shell_folder.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

TEST(ShellFolder, CommonAppDataFolderIsKnown) {
    const auto folder = CommonAppDataFolder();
    ASSERT_TRUE(folder);
    EXPECT_FALSE(folder->empty());
}

TEST(ShellFolder, AppendPathInsertsOneSeparator) {
    const std::string expected = std::string("base") + kSeparator + "TESK" + kSeparator + "Tesk EBanking";
    EXPECT_EQ(AppendPath("base", "TESK\\Tesk EBanking"), expected);
    EXPECT_EQ(AppendPath(std::string("base") + kSeparator, "TESK\\Tesk EBanking"), expected);
}

TEST(ShellFolder, AppendPathRefusesWhatDoesNotFit) {
    EXPECT_FALSE(AppendPath(std::string(250, 'a'), "TESK\\Tesk EBanking\\BANKSERV.INI"));
    EXPECT_TRUE(AppendPath(std::string(200, 'a'), "TESK\\Tesk EBanking\\BANKSERV.INI"));
}

}  // namespace
}  // namespace platform
