// varrow check-account and export --check-accounts as processes on real files, natively and as
// varrow.exe under Wine, with the tables the build puts beside the program or a folder of our own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

using Args = std::vector<std::string>;

// A pair of tables of our own: one range whose weights are all 0, so that every account of it
// passes, where the shipped tables fail 08-99-99 66374959.
const std::string kLenientWeights = "080000 089999 MOD10 0 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n";
const std::string kSubstitutions = "938173 938017\r\n";

const std::string kFailsAccountCheck =
    "Payee sort code and account number fail the bank's account number check: please check the payee's bank details.";

TEST(CheckAccountCommand, ChecksEachPairGivenAndPrintsItAsGiven) {
    const ProcessResult run = RunVarrow({"check-account", "08-99-99", "66374958", "089999", "6637-4959", "99 99 99",
                                         "12345678", "12-34-5", "12345678"});
    EXPECT_EQ(run.out,
              "08-99-99\t66374958\tvalid\n"
              "089999\t6637-4959\tinvalid\n"
              "99 99 99\t12345678\tunchecked\n"
              "12-34-5\t12345678\tmalformed\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 1);
}

TEST(CheckAccountCommand, ValidAndUncheckedPairsExitZero) {
    const ProcessResult run = RunVarrow({"check-account", "08-99-99", "66374958", "999999", "12345678"});
    EXPECT_EQ(run.out, "08-99-99\t66374958\tvalid\n999999\t12345678\tunchecked\n");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(CheckAccountCommand, ReadsPairsFromStandardInput) {
    const ProcessResult run =
        RunVarrow({"check-account"}, "08-99-99,66374958\r\n\n089999\t66374959\n 10-79-99   88837491 \n");
    EXPECT_EQ(run.out, "08-99-99\t66374958\tvalid\n089999\t66374959\tinvalid\n10-79-99\t88837491\tvalid\n");
    EXPECT_EQ(run.exitCode, 1);
}

TEST(CheckAccountCommand, ABlankCellIsMalformedAndTheListGoesOn) {
    const ProcessResult run = RunVarrow({"check-account"}, "089999,\r\n,66374958\n,\n 08-99-99 ,66374958\n");
    EXPECT_EQ(run.out, "089999\t\tmalformed\n\t66374958\tmalformed\n 08-99-99 \t66374958\tvalid\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 1);
}

TEST(CheckAccountCommand, AValueStartingWithAMinusFollowsDoubleDash) {
    const ProcessResult run = RunVarrow({"check-account", "--", "-08-99-99", "66374958"});
    EXPECT_EQ(run.out, "-08-99-99\t66374958\tvalid\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(RunVarrow({"check-account", "--help"}).out.find("goes after --"), std::string::npos);
}

TEST(CheckAccountCommand, TablesFolderTakesEitherNaming) {
    const TempDir local;
    local.Write("VALACDOS.TXT", kLenientWeights);
    local.Write("SCSUBTAB.TXT", kSubstitutions);
    const TempDir shippedNames;
    shippedNames.Write("valacdos-v8-50.txt", kLenientWeights);
    shippedNames.Write("scsubtab.txt", kSubstitutions);
    for (const TempDir* folder : {&local, &shippedNames}) {
        const ProcessResult run = RunVarrow({"check-account", "--tables", folder->Path().string(), "089999", "66374959"});
        EXPECT_EQ(run.out, "089999\t66374959\tvalid\n") << folder->Path() << "\n" << run.err;
        EXPECT_EQ(run.exitCode, 0) << folder->Path();
    }
}

TEST(CheckAccountCommand, TablesThatCannotBeReadExit66NamingFileAndLine) {
    const TempDir tables;
    const std::string weights = tables.Write("VALACDOS.TXT", kLenientWeights + "089999 080000 MOD10 0\r\n");
    tables.Write("SCSUBTAB.TXT", kSubstitutions);
    const ProcessResult run = RunVarrow({"check-account", "--tables", tables.Path().string(), "089999", "66374959"});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("varrow check-account: " + weights + " line 2: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.exitCode, 66);
}

TEST(CheckAccountCommand, UsageErrors) {
    const struct {
        Args args;
        std::string input;
        const char* mentions;
    } cases[] = {
        {{"check-account", "089999"}, "", "'089999' without an account number"},
        {{"check-account", "--colour", "red"}, "", "'--colour'"},
        {{"check-account", "--tables"}, "", "--tables needs a value"},
        {{"check-account"}, "089999,66374958\n089999\n", "line 2: '089999'"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = RunVarrow(c.args, c.input);
        EXPECT_EQ(run.exitCode, 64) << c.mentions;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("see 'varrow check-account --help'"), std::string::npos) << run.err;
    }
}

class ExportCheckTest : public ::testing::Test {
protected:
    ProcessResult Export(const Args& options) {
        Args args = {"export", "--today", "01/12/2026", "--date", "07/12/2026", "-o", Output()};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(dir_.Write("payments.csv",
                                  "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,"
                                  "PayeeBankAccountNumber,PayeeBankAccountName\r\n"
                                  "12-34-56,12345678,410,08-99-99,66374958,Fenwick Glazing\r\n"
                                  "12-34-56,12345678,95,08-99-99,66374959,Fenwick Glazing\r\n"));
        return RunVarrow(args);
    }
    std::string Output() const { return dir_.File("upload.csv"); }

    TempDir dir_;
};

TEST_F(ExportCheckTest, CheckAccountsGivesTheInvalidPayee36) {
    const ProcessResult checked = Export({"--check-accounts"});
    EXPECT_EQ(checked.out, "0\t0\tPayment processed successfully.\n1\t36\t" + kFailsAccountCheck + "\nresult\t1\n");
    EXPECT_EQ(checked.exitCode, 1) << checked.err;
    const std::string checkedFile = ReadFileBytes(Output());

    const ProcessResult unchecked = Export({});
    EXPECT_EQ(unchecked.out, "0\t0\tPayment processed successfully.\n1\t0\tPayment processed successfully.\nresult\t0\n");
    EXPECT_EQ(unchecked.exitCode, 0);
    EXPECT_EQ(checkedFile, ReadFileBytes(Output()));  // the check changes statuses, never the file
}

TEST_F(ExportCheckTest, TablesThatCannotBeReadExit66WithoutAFile) {
    const TempDir empty;
    const ProcessResult run = Export({"--check-accounts", "--tables", empty.Path().string()});
    EXPECT_EQ(run.exitCode, 66);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("valacdos-v8-50.txt: cannot be read"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

}  // namespace
