// The holiday list in varrow calendar, next-date, export and --version, as processes on real files:
// one named with --holidays, natively and under Wine, and the one beside BANKSERV.INI that the
// component would read (natively, where the settings folder can be pointed at a folder of our own).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/own_settings_folder.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "varrow_version.h"

namespace {

using Args = std::vector<std::string>;

const std::string kPayments =
    "PayerBankSortCode,PayerBankAccountNumber,Value,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName\r\n"
    "12-34-56,12345678,1,20-00-00,87654321,X\r\n";

const std::string kList = "# one-off days\r\n2022-09-19 closed\r\n2022-06-02 closed\r\n2022-06-03 closed\r\n"
                          "2022-05-30 open # moved to 2 June\r\n";

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(HolidaysOption, CalendarAndNextDateFollowTheListNamed) {
    const TempDir dir;
    const std::string list = dir.Write("jubilee.txt", kList);
    const ProcessResult calendar =
        RunVarrow({"calendar", "--holidays", list, "19/09/2022", "17/09/2022", "30/05/2022", "2022-06-02"});
    EXPECT_EQ(calendar.out,
              "19/09/2022 holiday 1\n"
              "17/09/2022 weekend 3\n"
              "30/05/2022 banking 0\n"
              "02/06/2022 holiday 4\n");
    EXPECT_EQ(calendar.err, "varrow calendar: note: holiday list " + list + " (4 days) in use\n");
    EXPECT_EQ(calendar.exitCode, 0);

    const ProcessResult next = RunVarrow({"next-date", "--holidays=" + list, "15/09/2022", "31/05/2022"});
    EXPECT_EQ(next.out, "15/09/2022 20/09/2022\n31/05/2022 06/06/2022\n");
    EXPECT_EQ(next.err, "varrow next-date: note: holiday list " + list + " (4 days) in use\n");
    EXPECT_EQ(next.exitCode, 0);
}

TEST(HolidaysOption, AListThatCannotBeReadExits66NamingFileAndLine) {
    const TempDir dir;
    const std::string damaged = dir.Write("HOLIDAYS.TXT", "2022-09-19 closed\n2022-09-19 open\n");
    const std::string missing = dir.File("none.txt");
    const std::string csv = dir.Write("payments.csv", kPayments);
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {{"calendar", "--holidays", damaged, "19/09/2022"},
         "varrow calendar: " + damaged + " line 2: 2022-09-19 is listed already, on line 1\n"},
        {{"next-date", "--holidays", missing, "15/09/2022"}, "varrow next-date: " + missing + ": cannot be read\n"},
        {{"export", "--holidays", damaged, "--today", "01/09/2022", "-o", dir.File("out.csv"), csv},
         "varrow export: " + damaged + " line 2: 2022-09-19 is listed already, on line 1\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = RunVarrow(c.args);
        EXPECT_EQ(run.exitCode, 66) << c.args[0];
        EXPECT_EQ(run.out, "") << c.args[0];
        EXPECT_EQ(run.err, c.err) << c.args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

TEST(HolidaysOption, ExportChecksAndDefaultsTheDateWithTheList) {
    const TempDir dir;
    const std::string list = dir.Write("list.txt", kList);
    const std::string csv = dir.Write("payments.csv", kPayments);
    const std::string out = dir.File("upload.csv");
    const ProcessResult refused =
        RunVarrow({"export", "--holidays", list, "--today", "01/09/2022", "--date", "19/09/2022", "-o", out, csv});
    EXPECT_EQ(refused.exitCode, 3) << refused.err;
    EXPECT_NE(refused.err.find("falls on a Bank holiday"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("1 day to the next likely Banking Day."), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const ProcessResult byDefault = RunVarrow({"export", "--holidays", list, "--today", "15/09/2022", "-o", out, csv});
    EXPECT_EQ(byDefault.exitCode, 0) << byDefault.err;
    EXPECT_NE(ReadFileBytes(out).find(",20092022,"), std::string::npos) << ReadFileBytes(out);
}

class SettingsFolderList : public OwnSettingsFolderTest {
protected:
    const std::string list = (folder / "HOLIDAYS.TXT").string();
};

TEST_F(SettingsFolderList, IsUsedWithoutTheOptionAndNamedByVersion) {
    const ProcessResult none = RunVarrow({"calendar", "19/09/2022"});
    EXPECT_EQ(none.out, "19/09/2022 banking 0\n");
    EXPECT_EQ(none.err, "");
    EXPECT_EQ(Lines(RunVarrow({"--version"}).out), 2);

    appData.Write("TESK/Tesk EBanking/HOLIDAYS.TXT", kList);
    const ProcessResult listed = RunVarrow({"calendar", "19/09/2022"});
    EXPECT_EQ(listed.out, "19/09/2022 holiday 1\n");
    EXPECT_EQ(listed.err, "varrow calendar: note: holiday list " + list + " (4 days) in use\n");
    const ProcessResult version = RunVarrow({"--version"});
    EXPECT_EQ(version.out, "varrow " VARROW_VERSION_TEXT "\nmodulus tables v8.50\nholiday list " + list + " (4 days)\n");
    EXPECT_EQ(version.exitCode, 0);
}

TEST_F(SettingsFolderList, ADamagedOneIsPassedOverWithANoteAsTheComponentPassesItOver) {
    appData.Write("TESK/Tesk EBanking/HOLIDAYS.TXT", "2022-09-19 closed\n2022-09-20 shut\n");
    const std::string reason = list + " line 2: the word after the date must be closed or open";
    const ProcessResult run = RunVarrow({"next-date", "15/09/2022"});
    EXPECT_EQ(run.out, "15/09/2022 19/09/2022\n");  // the rule alone
    EXPECT_EQ(run.err, "varrow next-date: note: the holiday list beside BANKSERV.INI is not used: " + reason + "\n");
    EXPECT_EQ(run.exitCode, 0);
    const ProcessResult version = RunVarrow({"--version"});
    EXPECT_EQ(version.out, "varrow " VARROW_VERSION_TEXT "\nmodulus tables v8.50\nholiday list not used: " + reason + "\n");
    // --holidays names another list, and the damaged one is not read at all.
    const TempDir other;
    const ProcessResult named = RunVarrow({"calendar", "--holidays", other.Write("l.txt", kList), "19/09/2022"});
    EXPECT_EQ(named.out, "19/09/2022 holiday 1\n");
    EXPECT_EQ(Lines(named.err), 1) << named.err;
}

}  // namespace
