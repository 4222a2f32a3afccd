#include "options/output_file_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/hook.h"
#include "platform/save_dialog.h"
#include "tests/support/temp_dir.h"

namespace {

// Records every message box instead of showing it.
class MessageRecorder {
public:
    std::vector<platform::MessageBoxRequest> shown;

private:
    platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> hook_{
        platform::MessageBoxHook(), [this](const platform::MessageBoxRequest& request) {
            shown.push_back(request);
            return platform::MessageAnswer::Ok;
        }};
};

std::string MissingText(const std::string& directory) {
    return "The default payment directory (" + directory +
           ") specified does not exist.  Please correct this within configuration for the specified banking "
           "component. The root directory (C:\\) will be used in the mean time.";
}

TEST(ResolveDefaultPaymentPath, PresentDirectoryWithOrWithoutBackslash) {
    const TempDir dir;
    const std::string directory = dir.Path().string();
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", directory), directory + "\\pay");
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", directory + "\\"), directory + "\\pay");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ResolveDefaultPaymentPath, MissingDirectoryIsReportedAndReplacedByTheRootOfC) {
    const TempDir dir;
    const std::string missing = (dir.Path() / "no such folder").string();
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath("pay.csv", missing), "C:\\pay.csv");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, MissingText(missing));
    EXPECT_EQ(messages.shown[0].caption, "Invalid default path");
    EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
}

TEST(ResolveDefaultPaymentPath, RootOfDriveAIsAcceptedWithoutSearchResult) {
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", "A:"), "A:\\pay");
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", "a:\\"), "a:\\pay");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", "A:\\NoSuchFolder"), "C:\\pay");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(ResolveDefaultPaymentPath, EmptyDirectoryCountsAsMissing) {
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", ""), "C:\\pay");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, MissingText(""));
}

TEST(ResolveDefaultPaymentPath, DirectoryTooLongToSearchCountsAsMissing) {
    const TempDir dir;
    // Long enough that the search pattern exceeds 259 characters, even though it may exist.
    std::filesystem::path deep = dir.Path();
    while (deep.string().size() < 300) deep /= std::string(40, 'd');
    std::error_code ignored;
    std::filesystem::create_directories(deep, ignored);
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath("pay", deep.string()), "C:\\pay");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(ResolveDefaultPaymentPath, MessageAndPathAreCutToTheirBuffers) {
    const std::string huge(1100, 'x');
    MessageRecorder messages;
    EXPECT_EQ(ResolveDefaultPaymentPath(huge, huge), ("C:\\" + huge).substr(0, 1023));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, MissingText(huge).substr(0, 1023));
}

TEST(PaymentFileFilter, WithAndWithoutExtension) {
    using namespace std::string_literals;
    EXPECT_EQ(PaymentFileFilter("abc"), "Payment Files (*.abc)\0*.abc\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(PaymentFileFilter(""), "All Files (*.*)\0*.*\0\0"s);
}

TEST(ChooseOutputFile, AsksTheSaveDialogWithTheDefaults) {
    std::vector<platform::SaveDialogRequest> asked;
    std::optional<std::string> answer = "C:\\out\\pay.csv";
    platform::ScopedHook<std::optional<std::string>(const platform::SaveDialogRequest&)> dialog(
        platform::SaveDialogHook(), [&](const platform::SaveDialogRequest& request) {
            asked.push_back(request);
            return answer;
        });
    const std::string filter = PaymentFileFilter("csv");
    EXPECT_EQ(ChooseOutputFile("csv", "C:\\Payments\\pay", filter), "C:\\out\\pay.csv");
    answer.reset();
    EXPECT_EQ(ChooseOutputFile("", "C:\\pay", PaymentFileFilter("")), std::nullopt);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].initialPath, "C:\\Payments\\pay");
    EXPECT_EQ(asked[0].filter, filter);
    EXPECT_EQ(asked[0].defaultExtension, "csv");
    EXPECT_EQ(asked[1].defaultExtension, "");
}

}  // namespace
