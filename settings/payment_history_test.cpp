#include "settings/payment_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "common/sha256.h"
#include "common/written_date.h"
#include "platform/shared_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
constexpr auto kShortWait = std::chrono::milliseconds(200);
constexpr int kDays = 7;
const std::string kIdentity = "01\n200000\n87654321\n10.00\nINV 42\n";
const std::string kOther = "01\n200000\n87654321\n10.00\nINV 43\n";

double Day(const char* iso) { return *ParseIsoDate(iso); }

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

class PaymentHistoryTest : public ::testing::Test {
protected:
    PaymentHistory On(const char* today, int days = kDays) const {
        return PaymentHistory(dir.Path().string(), days, Day(today), kShortWait);
    }
    void Record(const char* today, const std::vector<std::string>& identities, const std::string& file = "C:\\Pay\\a.txt") {
        const auto failure = On(today).Record(identities, Day("2026-03-04"), file);
        ASSERT_FALSE(failure) << *failure;
    }
    std::string History() const { return ReadFileBytes(dir.File("PAYMENTS.HST")); }
    std::string Key() const { return ReadFileBytes(dir.File("PAYMENTS.KEY")); }

    TempDir dir;
};

TEST_F(PaymentHistoryTest, HoldsAKeyedDigestOfEachPaymentAndNothingInClear) {
    Record("2026-03-02", {kIdentity});
    const std::vector<std::string> lines = Lines(History());
    ASSERT_EQ(lines.size(), 2u) << History();
    EXPECT_EQ(lines[0], "# Varrow Online payment history: keyed SHA-256 digest, processing date, date written, file");
    const std::string key = Key();
    ASSERT_EQ(key.size(), 66u) << key;  // 64 hexadecimal digits and CR LF
    std::string keyBytes;
    for (std::size_t i = 0; i < 64; i += 2) keyBytes += static_cast<char>(std::stoi(key.substr(i, 2), nullptr, 16));
    EXPECT_EQ(lines[1], HexText(HmacSha256(keyBytes).Of(kIdentity)) + "\t2026-03-04\t2026-03-02\tC:\\Pay\\a.txt");
    for (const char* clear : {"87654321", "200000", "10.00", "INV"}) EXPECT_EQ(History().find(clear), std::string::npos) << clear;
}

TEST_F(PaymentHistoryTest, KeepsOneKeyForEveryRun) {
    Record("2026-03-02", {kIdentity});
    const std::string key = Key();
    Record("2026-03-03", {kIdentity}, "C:\\Pay\\b.txt");
    EXPECT_EQ(Key(), key);
    const std::vector<std::string> lines = Lines(History());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 64), lines[2].substr(0, 64));  // the same payment, the same digest
}

TEST_F(PaymentHistoryTest, FindsTheLatestWriteWithinTheDaysLookedBack) {
    Record("2026-03-02", {kIdentity}, "C:\\Pay\\first.txt");
    Record("2026-03-05", {kIdentity}, "C:\\Pay\\second.txt");
    const struct {
        const char* today;
        const char* file;  // nothing found: empty
    } rows[] = {
        {"2026-03-05", "C:\\Pay\\second.txt"},
        {"2026-03-12", "C:\\Pay\\second.txt"},  // seven days after
        {"2026-03-13", ""},                     // eight
        {"2026-03-01", "C:\\Pay\\second.txt"},  // a clock put back hides nothing
    };
    for (const auto& row : rows) {
        const HistoryLookup lookup = On(row.today).Find({kOther, kIdentity});
        ASSERT_FALSE(lookup.failure) << row.today << ": " << *lookup.failure;
        ASSERT_EQ(lookup.found.size(), 2u);
        EXPECT_FALSE(lookup.found[0]) << row.today;
        EXPECT_EQ(lookup.found[1] ? lookup.found[1]->file : "", row.file) << row.today;
    }
    const auto found = On("2026-03-06").Find({kIdentity}).found[0];
    ASSERT_TRUE(found);
    EXPECT_EQ(found->writtenOn, Day("2026-03-05"));
    EXPECT_EQ(found->processingDate, Day("2026-03-04"));
}

TEST_F(PaymentHistoryTest, DropsWhatIsOlderThanTheDaysWhenItIsWritten) {
    Record("2026-03-02", {kIdentity});
    Record("2026-03-09", {kOther});  // seven days later: both kept
    EXPECT_EQ(Lines(History()).size(), 3u);
    Record("2026-03-10", {kOther});  // eight: the first goes
    EXPECT_EQ(Lines(History()).size(), 3u);
    EXPECT_EQ(History().find("2026-03-02"), std::string::npos) << History();
}

TEST_F(PaymentHistoryTest, ADamagedLineIsSkippedNamedAndLeftOutWhenWritten) {
    Record("2026-03-02", {kIdentity, kOther});
    std::vector<std::string> lines = Lines(History());
    const std::string damaged = lines[1].substr(0, 40) + "\t2026-03-04";  // cut short
    std::string bytes = lines[0] + "\r\n" + damaged + "\r\n\r\n" + lines[2] + "\r\n";
    dir.Write("PAYMENTS.HST", bytes);

    const HistoryLookup lookup = On("2026-03-03").Find({kIdentity, kOther});
    ASSERT_FALSE(lookup.failure);
    EXPECT_EQ(lookup.damagedLines, std::vector<std::size_t>{2});
    EXPECT_FALSE(lookup.found[0]);
    EXPECT_TRUE(lookup.found[1]);  // the other entries are used

    Record("2026-03-03", {});
    EXPECT_EQ(Lines(History()).size(), 2u);
    EXPECT_TRUE(On("2026-03-03").Find({kOther}).damagedLines.empty());
}

TEST_F(PaymentHistoryTest, KeptLinesStayByteForByteAndEachEndsWithCrLf) {
    Record("2026-03-02", {kIdentity, kOther});
    const std::vector<std::string> lines = Lines(History());
    // Lines a hand or another program left with a bare line feed, or with none at the end.
    dir.Write("PAYMENTS.HST", lines[0] + "\r\n" + lines[1] + "\n" + lines[2]);
    Record("2026-03-03", {});
    EXPECT_EQ(History(), lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n");
    const std::string written = History();
    Record("2026-03-03", {});
    EXPECT_EQ(History(), written);
}

TEST_F(PaymentHistoryTest, AHistoryThatCannotBeReadIsNeverReplaced) {
    fs::create_directories(dir.Path() / "PAYMENTS.HST" / "inside");
    const HistoryLookup lookup = On("2026-03-02").Find({kIdentity});
    ASSERT_TRUE(lookup.failure);
    EXPECT_EQ(lookup.failure->rfind("it cannot be read: ", 0), 0u) << *lookup.failure;
    EXPECT_FALSE(lookup.found[0]);
    const auto failure = On("2026-03-02").Record({kIdentity}, Day("2026-03-04"), "a.txt");
    ASSERT_TRUE(failure);
    EXPECT_TRUE(fs::is_directory(dir.Path() / "PAYMENTS.HST" / "inside"));
}

TEST_F(PaymentHistoryTest, AHistoryLockedTooLongIsLeftAlone) {
    Record("2026-03-02", {kIdentity});
    const std::string before = History();
    const platform::LockAttempt other = platform::LockFile(dir.File("PAYMENTS.LCK"), kShortWait);
    ASSERT_FALSE(other.lock.IsEmpty());
    const HistoryLookup lookup = On("2026-03-02").Find({kIdentity});
    ASSERT_TRUE(lookup.failure);
    EXPECT_EQ(*lookup.failure, "another payment run kept it locked for longer than 200 milliseconds");
    EXPECT_FALSE(lookup.found[0]);
    EXPECT_TRUE(On("2026-03-02").Record({kOther}, Day("2026-03-04"), "b.txt"));
    EXPECT_EQ(History(), before);
}

TEST_F(PaymentHistoryTest, EntriesWithoutTheirKeyAreUnusableAndGoWithANewOne) {
    Record("2026-03-02", {kIdentity});
    dir.Write("PAYMENTS.KEY", "not a key\r\n");
    const HistoryLookup lookup = On("2026-03-03").Find({kIdentity});
    ASSERT_TRUE(lookup.failure);
    EXPECT_NE(lookup.failure->find("is missing or damaged"), std::string::npos) << *lookup.failure;
    Record("2026-03-03", {kOther});
    EXPECT_EQ(Key().size(), 66u);
    EXPECT_EQ(Lines(History()).size(), 2u);  // the old line went with its key
    EXPECT_TRUE(On("2026-03-03").Find({kOther}).found[0]);
}

TEST_F(PaymentHistoryTest, NoHistoryYetFindsNothingAndMakesNoKey) {
    const HistoryLookup lookup = On("2026-03-02").Find({kIdentity});
    EXPECT_FALSE(lookup.failure);
    EXPECT_FALSE(lookup.found[0]);
    EXPECT_FALSE(fs::exists(dir.File("PAYMENTS.KEY")));
    EXPECT_FALSE(fs::exists(dir.File("PAYMENTS.HST")));
}

TEST_F(PaymentHistoryTest, WritersAtTheSameTimeLoseNoEntry) {
    constexpr int kWriters = 6, kRuns = 10;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([this, w] {
            // Each thread opens the lock file itself, as another process would.
            const PaymentHistory history(dir.Path().string(), kDays, Day("2026-03-02"), std::chrono::seconds(60));
            for (int run = 0; run < kRuns; ++run) {
                const auto failure = history.Record({std::to_string(w) + "/" + std::to_string(run)}, Day("2026-03-04"), "f");
                EXPECT_FALSE(failure) << *failure;
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    EXPECT_EQ(Lines(History()).size(), 1u + kWriters * kRuns);
}

}  // namespace
