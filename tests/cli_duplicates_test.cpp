// varrow export looking for payments made twice, as a user runs it: processes on real files, with
// the settings folder (and so BANKSERV.INI and the payment history) in a folder of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "tests/support/own_settings_folder.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kHeader = "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,"
                            "PayeeBankAccountName,PayeeBankBACSReference\r\n";

std::string Payment(const std::string& value, const std::string& reference) {
    return "12-34-56,12345678," + value + ",20-00-00,87654321,J. Smith & Co," + reference + "\r\n";
}

// Three payments, the third the first entered again.
const std::string kPayments = kHeader + Payment("100", "inv 42") + Payment("55.10", "inv 43") + Payment("100", "inv 42");

std::size_t LineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

class ExportDuplicates : public OwnSettingsFolderTest {
protected:
    ProcessResult Export(const Args& options, const std::string& csv = kPayments, const std::string& out = "upload.csv") {
        Args args = {"export"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"-o", files.File(out), files.Write("payments-" + out, csv)});
        return RunVarrow(args);
    }
    bool Written(const std::string& out = "upload.csv") const { return fs::exists(files.File(out)); }
    std::string History() const { return ReadFileBytes((folder / "PAYMENTS.HST").string()); }

    TempDir files;
};

TEST_F(ExportDuplicates, EachFindingOnStandardErrorExit7AndNoFile) {
    const ProcessResult run = Export({"--today", "01/12/2026", "--duplicate-days", "30"});
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "varrow export: payment 2 (20-00-00, 87654321, 100.00, inv 42): the same as payment 0\n"
              "varrow export: no file written: payments look made twice; --allow-duplicates writes it all the same\n");
    EXPECT_FALSE(Written());
    EXPECT_FALSE(fs::exists(folder / "PAYMENTS.HST"));
}

TEST_F(ExportDuplicates, AllowedTheyAreNotesAndTheFileIsWrittenAndRecorded) {
    const ProcessResult run = Export({"--today", "01/12/2026", "--duplicate-days", "30", "--allow-duplicates"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "varrow export: note: payment 2 (20-00-00, 87654321, 100.00, inv 42): the same as payment 0\n");
    EXPECT_TRUE(Written());
    EXPECT_EQ(LineCount(History()), 4u) << History();
    EXPECT_NE(History().find("\t2026-12-03\t2026-12-01\t" + files.File("upload.csv") + "\r\n"), std::string::npos) << History();
}

TEST_F(ExportDuplicates, TodayIsTheHistorysTodayTooAndItLooksNDaysBack) {
    const std::string once = kHeader + Payment("100", "inv 42");
    ASSERT_EQ(Export({"--today", "01/12/2026", "--duplicate-days", "30"}, once).exitCode, 0);
    const struct {
        const char* today;
        int exitCode;
    } rows[] = {{"02/12/2026", 7}, {"31/12/2026", 7}, {"01/01/2027", 0}};
    for (const auto& row : rows) {
        const ProcessResult run = Export({"--today", row.today, "--duplicate-days", "30"}, once, "again.csv");
        EXPECT_EQ(run.exitCode, row.exitCode) << row.today << "\n" << run.err;
        if (row.exitCode == 7) {
            EXPECT_NE(run.err.find("varrow export: payment 0 (20-00-00, 87654321, 100.00, inv 42): written to " +
                                   files.File("upload.csv") + " on 01/12/2026\n"), std::string::npos) << run.err;
        }
    }
}

TEST_F(ExportDuplicates, TheKeyOfBankservIniTurnsItOnAndTheOptionDecidesForOneRun) {
    const Args today = {"--today", "01/12/2026"};
    EXPECT_EQ(Export(today).exitCode, 0) << "no key";
    for (const char* name : {"PAYMENTS.HST", "PAYMENTS.KEY", "PAYMENTS.LCK"}) EXPECT_FALSE(fs::exists(folder / name)) << name;
    appData.Write("TESK/Tesk EBanking/BANKSERV.INI", "[Validation]\r\nDuplicateDays=7\r\n");
    EXPECT_EQ(Export(today).exitCode, 7);
    Args off = today;
    off.insert(off.end(), {"--duplicate-days", "0"});
    EXPECT_EQ(Export(off).exitCode, 0);
}

TEST_F(ExportDuplicates, AHistoryThatCannotBeReadIsToldOnceAndTheFileWritten) {
    fs::create_directories(folder / "PAYMENTS.HST" / "in the way");
    const ProcessResult run = Export({"--today", "01/12/2026", "--duplicate-days", "30"}, kHeader + Payment("100", "inv 42"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Written());
    EXPECT_EQ(run.err.find("The payment history " + (folder / "PAYMENTS.HST").string() + " cannot be used: it cannot be read: "), 0u)
        << run.err;
    EXPECT_EQ(run.err.find("cannot be", run.err.find("cannot be read") + 20), std::string::npos) << "told twice:\n" << run.err;
}

TEST_F(ExportDuplicates, TwoRunsAtOnceLoseNoEntry) {
    constexpr int kRunsEach = 4, kPaymentsEach = 50;
    const auto runs = [this](const std::string& who) {
        std::string csv = kHeader;
        for (int i = 0; i < kPaymentsEach; ++i) csv += Payment(std::to_string(i + 1), who + std::to_string(i));
        for (int run = 0; run < kRunsEach; ++run) {
            const std::string out = who + std::to_string(run) + ".csv";
            const ProcessResult result = Export({"--today", "01/12/2026", "--duplicate-days", "30", "--allow-duplicates"}, csv, out);
            EXPECT_EQ(result.exitCode, 0) << result.err;
        }
    };
    std::thread first(runs, "A"), second(runs, "B");
    first.join();
    second.join();
    EXPECT_EQ(LineCount(History()), 1u + 2 * kRunsEach * kPaymentsEach);
}

}  // namespace
