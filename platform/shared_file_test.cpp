#include "platform/shared_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace platform {
namespace {

using State = WholeFile::State;
constexpr auto kShortWait = std::chrono::milliseconds(200);

TEST(SharedFile, ReadTellsAMissingFileFromOneThatCannotBeRead) {
    const TempDir dir;
    const std::string present = dir.Write("present", std::string("a\r\nb\0c", 6));
    std::filesystem::create_directory(dir.Path() / "folder");
    const struct {
        std::string path;
        State state;
        std::string bytes;
    } rows[] = {
        {present, State::Read, std::string("a\r\nb\0c", 6)},
        {dir.File("missing"), State::Missing, ""},
        {dir.File("folder"), State::Failed, ""},
    };
    for (const auto& row : rows) {
        const WholeFile file = ReadWholeFile(row.path);
        EXPECT_EQ(file.state, row.state) << row.path;
        EXPECT_EQ(file.bytes, row.bytes) << row.path;
        EXPECT_EQ(file.reason.empty(), row.state == State::Read) << row.path << ": " << file.reason;
    }
}

TEST(SharedFile, ReplaceLeavesTheNewBytesAndNothingAside) {
    const TempDir dir;
    const std::string path = dir.Write("history", "old\r\n");
    dir.Write("history.new", "left by a run that crashed");
    std::string reason;
    ASSERT_TRUE(ReplaceWholeFile(path, "new\r\n", reason)) << reason;
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    // Pieces follow one another, an empty one adding nothing.
    ASSERT_TRUE(ReplaceWholeFile(path, {"first\r\n", "", "sec", "ond\r\n"}, reason)) << reason;
    EXPECT_EQ(ReadFileBytes(path), "first\r\nsecond\r\n");
}

TEST(SharedFile, AFailedReplaceKeepsTheOldFileAndSaysWhy) {
    const TempDir dir;
    std::string reason;
    EXPECT_FALSE(ReplaceWholeFile(dir.File("no folder/history"), "new", reason));
    EXPECT_FALSE(reason.empty());
    // A folder in the way of the rename.
    std::filesystem::create_directories(dir.Path() / "taken" / "inside");
    reason.clear();
    EXPECT_FALSE(ReplaceWholeFile(dir.File("taken"), "new", reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "taken" / "inside"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("taken.new")));
}

TEST(SharedFile, ALockHeldElsewhereIsBusyUntilItIsGivenBack) {
    const TempDir dir;
    const std::string path = dir.File("history.lck");
    LockAttempt first = LockFile(path, kShortWait);
    ASSERT_FALSE(first.lock.IsEmpty()) << first.reason;
    // Another handle on the same file stands for another process.
    const auto started = std::chrono::steady_clock::now();
    const LockAttempt second = LockFile(path, kShortWait);
    EXPECT_TRUE(second.lock.IsEmpty());
    EXPECT_TRUE(second.busy);
    EXPECT_GE(std::chrono::steady_clock::now() - started, kShortWait);  // it waited, boundedly
    first.lock.Reset();
    const LockAttempt third = LockFile(path, kShortWait);
    EXPECT_FALSE(third.lock.IsEmpty()) << third.reason;
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(SharedFile, ALockFileThatCannotBeMadeIsNoWaitForOthers) {
    const TempDir dir;
    const LockAttempt attempt = LockFile(dir.File("no folder/history.lck"), kShortWait);
    EXPECT_TRUE(attempt.lock.IsEmpty());
    EXPECT_FALSE(attempt.busy);
    EXPECT_FALSE(attempt.reason.empty());
}

TEST(SharedFile, RandomBytesDifferFromCallToCall) {
    std::array<std::uint8_t, 32> a{}, b{};
    ASSERT_TRUE(RandomBytes(a.data(), a.size()));
    ASSERT_TRUE(RandomBytes(b.data(), b.size()));
    EXPECT_NE(a, b);
    EXPECT_NE(a, (std::array<std::uint8_t, 32>{}));
}

}  // namespace
}  // namespace platform
