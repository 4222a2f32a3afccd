// The payment run on real files, with the host's parts, the message boxes and the save dialog
// played by the test: the order of the steps, the limit, both cancellations, the settings keys,
// and what the file and the statuses hold afterwards.
#include "payments/payment_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/errors.h"
#include "payments/payment_test_support.h"
#include "platform/hook.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "platform/module_folder.h"
#include "platform/profile.h"
#include "platform/save_dialog.h"
#include "platform/shell_folder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ExamplePayment;
using testing_support::ExpectedLine;
using testing_support::SplitLines;

constexpr char kTooManyText[] =
    "Too many payment instructions have been submitted. Varrow Online supports a maximum of 4000 payments in a "
    "single file.";

std::string Quoted(const CString& text) { return "\"" + std::string(text.View()) + "\""; }

// Every step the run takes outside itself, as one line each, in order.
using Journal = std::vector<std::string>;

class ScriptedParts : public PaymentRunParts {
public:
    explicit ScriptedParts(Journal& journal) : journal_(journal) {}

    PaymentExportLocation location{"pay", "txt", ""};
    bool locationFails = false;
    AccountForKeys account;
    std::optional<PaymentOptions> answer;  // nothing: the user cancels the options dialog
    std::int32_t resultCode = -7;          // what the host left from before
    std::size_t listedDays = 0;            // the holiday list the dialog was given

    PaymentExportLocation ExportLocation() override {
        journal_.push_back("ExportLocation");
        if (locationFails) throw std::runtime_error("the host's configuration failed");
        return location;
    }
    AccountForKeys Account() override {
        journal_.push_back("Account");
        return account;
    }
    std::optional<PaymentOptions> AskOptions(Payments&, const CString& templateName,
                                             const CString& beneficiaryReference, const HolidayList& listed) override {
        journal_.push_back("AskOptions(" + Quoted(templateName) + ", " + Quoted(beneficiaryReference) + ")");
        listedDays = listed.Size();
        return answer;
    }
    void SetResultCode(std::int32_t code) override {
        journal_.push_back("ResultCode " + std::to_string(code));
        resultCode = code;
    }

private:
    Journal& journal_;
};

PaymentOptions Options(PaymentFormat format, const char* templateName = "", const char* beneficiaryReference = "") {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7) + 0.25;
    options.format = format;
    options.templateName = templateName;
    options.beneficiaryReference = beneficiaryReference;
    return options;
}

std::vector<PaymentRecord> Examples(std::size_t count) {
    std::vector<PaymentRecord> records(count, ExamplePayment());
    for (std::size_t i = 0; i < count; ++i) records[i].Value = static_cast<double>(i + 1);
    return records;
}

std::vector<std::int32_t> Statuses(const MemoryPayments& payments) {
    std::vector<std::int32_t> statuses;
    for (const auto& record : payments.Records()) statuses.push_back(record.Status);
    return statuses;
}

class PaymentRunTest : public ::testing::Test {
protected:
    PaymentRunTest() {
        fs::create_directories(appData.Path() / "TESK" / "Tesk EBanking");
        parts.location.directory = files.Path().string();
    }

    std::int32_t Run() { return RunPayments(parts, &payments, settings); }

    CString Stored(const char* key) {
        CString value("<absent>");
        settings.ReadSetting(key, value);
        return value;
    }

    std::string Output() const { return files.File("upload.txt"); }
    bool OutputExists() const { return fs::exists(Output()); }

    Journal journal;
    ScriptedParts parts{journal};
    MemoryPayments payments{Examples(3)};
    TempDir files;
    TempDir appData;
    SettingsStore settings;
    std::optional<std::string> savedAs = Output();  // the user's answer in the save dialog
    std::vector<platform::MessageBoxRequest> messages;
    std::string componentFolder = VARROW_MODULUS_DIR;  // where the shipped tables are installed
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;  // to every message box

private:
    platform::ScopedHook<std::optional<std::string>()> component_{platform::ModuleFolderHook(),
                                                                  [this] { return std::optional(componentFolder); }};
    platform::ScopedHook<std::optional<std::string>()> folder_{
        platform::CommonAppDataFolderHook(), [this] { return std::optional(appData.Path().string()); }};
    platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> boxes_{
        platform::MessageBoxHook(), [this](const platform::MessageBoxRequest& request) {
            journal.push_back("MessageBox " + request.caption);
            messages.push_back(request);
            return answer;
        }};
    platform::ScopedHook<std::optional<std::string>(const platform::SaveDialogRequest&)> save_{
        platform::SaveDialogHook(), [this](const platform::SaveDialogRequest& request) {
            std::string filter = request.filter;
            for (char& c : filter) c = c == '\0' ? '|' : c;
            journal.push_back("SaveDialog(" + request.initialPath + ", " + request.defaultExtension + ", " + filter + ")");
            return savedAs;
        }};
};

TEST_F(PaymentRunTest, StepsRunInTheirOrder) {
    parts.location = {"pay", "txt", files.File("missing")};
    ASSERT_TRUE(settings.WriteSetting("VarrowQuidlaneTemplate123456_87654321", "RENT-Q1"));
    ASSERT_TRUE(settings.WriteSetting("VarrowQuidlaneBenRef123456_87654321", "INV 42"));
    parts.account = {true, u"12-34-56", u"87654321"};
    parts.answer = Options(PaymentFormat::BulkList, "NEW-T", "NEW-R");

    EXPECT_EQ(Run(), 0);
    const Journal expected = {
        "ExportLocation",
        "MessageBox Invalid default path",
        "ResultCode 0",
        "Account",
        "AskOptions(\"RENT-Q1\", \"INV 42\")",
        "SaveDialog(C:\\pay, txt, Payment Files (*.txt)|*.txt|All Files (*.*)|*.*||)",
        "ResultCode 0",
    };
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate123456_87654321"), "NEW-T");
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef123456_87654321"), "NEW-R");
    EXPECT_EQ(SplitLines(ReadFileBytes(Output())).size(), 4u);  // header and three records
}

TEST_F(PaymentRunTest, PresentDirectoryGivesTheDefaultPathThere) {
    parts.location = {"pay", "", files.Path().string() + "\\"};
    parts.answer = Options(PaymentFormat::StandardDomestic);
    Run();
    ASSERT_GE(journal.size(), 4u);
    EXPECT_EQ(journal[1], "ResultCode 0");  // no warning
    EXPECT_EQ(journal[4], "SaveDialog(" + files.Path().string() + "\\pay, , All Files (*.*)|*.*||)");
}

TEST_F(PaymentRunTest, FourThousandPaymentsAreAccepted) {
    payments = MemoryPayments(Examples(4000));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kCancelled);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(journal.size(), 5u);
    EXPECT_EQ(journal[3], "AskOptions(\"\", \"\")");
}

TEST_F(PaymentRunTest, MoreThanFourThousandAreRefusedWithTheMessageAlone) {
    std::vector<PaymentRecord> records = Examples(4001);
    records[5].Status = 1;
    payments = MemoryPayments(records);
    EXPECT_EQ(Run(), 40);
    EXPECT_EQ(parts.resultCode, 40);
    const Journal expected = {"ExportLocation", "ResultCode 0", "ResultCode 40",
                              "MessageBox Tesk Varrow Internet Quidlane"};
    EXPECT_EQ(journal, expected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kTooManyText);
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(payments.Records()[5].Status, 1);  // no status changes
    EXPECT_FALSE(OutputExists());
}

TEST_F(PaymentRunTest, NullPaymentsRaiseInvalidArgumentAfterResultCodeZero) {
    try {
        RunPayments(parts, nullptr, settings);
        ADD_FAILURE() << "no exception";
    } catch (long hr) {
        EXPECT_EQ(hr, static_cast<long>(hresult::kInvalidArg));
    }
    const Journal expected = {"ExportLocation", "ResultCode 0"};
    EXPECT_EQ(journal, expected);
}

TEST_F(PaymentRunTest, FailingConfigurationEndsTheRunBeforeResultCodeIsSet) {
    parts.locationFails = true;
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(parts.resultCode, -7);
    EXPECT_EQ(journal, Journal{"ExportLocation"});
}

TEST_F(PaymentRunTest, CancelledOptionsDialogEndsWithThreeAndStoresNothing) {
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kCancelled);
    EXPECT_EQ(journal.back(), "ResultCode 3");
    for (const auto& step : journal) EXPECT_EQ(step.find("SaveDialog"), std::string::npos) << step;
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "<absent>");
    EXPECT_FALSE(OutputExists());
}

TEST_F(PaymentRunTest, CancelledSaveDialogEndsWithThreeAndStoresNothing) {
    payments.Records()[1].Status = 1;
    parts.answer = Options(PaymentFormat::DomesticTemplate, "T1");
    savedAs.reset();
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kCancelled);
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "<absent>");
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef"), "<absent>");
    EXPECT_FALSE(OutputExists());
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 1, 0}));  // the IAT mark stays
}

struct KeyRow {
    const char* name;
    AccountForKeys account;
    const char* templateKey;
    const char* beneficiaryKey;
};

TEST_F(PaymentRunTest, SettingsKeysFollowTheAccount) {
    const KeyRow rows[] = {
        {"no filter", {}, "VarrowQuidlaneTemplate", "VarrowQuidlaneBenRef"},
        {"full account", {true, u"12-34-56", u"87654321"}, "VarrowQuidlaneTemplate123456_87654321",
         "VarrowQuidlaneBenRef123456_87654321"},
        {"sort code call failed", {true, std::nullopt, u"87654321"}, "VarrowQuidlaneTemplate_87654321",
         "VarrowQuidlaneBenRef_87654321"},
    };
    for (const auto& row : rows) {
        parts.account = row.account;
        parts.answer = Options(PaymentFormat::BulkList, "T", "R");
        Run();
        EXPECT_EQ(Stored(row.templateKey), "T") << row.name;
        EXPECT_EQ(Stored(row.beneficiaryKey), "R") << row.name;
        // The next run for the same account offers them.
        journal.clear();
        parts.answer.reset();
        Run();
        EXPECT_EQ(journal[3], "AskOptions(\"T\", \"R\")") << row.name;
        settings.WriteSetting(row.templateKey, "");
        settings.WriteSetting(row.beneficiaryKey, "");
        journal.clear();
    }
}

TEST_F(PaymentRunTest, FormatWithoutTheBoxesStoresEmptyValues) {
    ASSERT_TRUE(settings.WriteSetting("VarrowQuidlaneTemplate", "OLD"));
    parts.answer = Options(PaymentFormat::StandardDomestic);
    Run();
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "<absent>");  // empty reads as absent
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef"), "<absent>");
}

TEST_F(PaymentRunTest, WritesTheChosenFileWithCrLf) {
    payments = MemoryPayments({ExamplePayment()});
    parts.answer = Options(PaymentFormat::StandardDomestic);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, 0);
    const std::string expected = ExpectedLine(80, {{4, "01"}, {13, "12345612345678"}, {17, "100.00"}, {19, "07122026"},
                                                   {25, "200000"}, {31, "87654321"}, {33, "J. SMITH & CO"},
                                                   {37, "INV 42"}});
    EXPECT_EQ(ReadFileBytes(Output()), expected);
}

TEST_F(PaymentRunTest, UnwritableFileEndsWithTwoAfterTheSettingsAreStored) {
    savedAs = files.File("no-such-folder/upload.txt");
    parts.answer = Options(PaymentFormat::AdHocBulk, "", "R2");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kFileFailed);
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef"), "R2");
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(PaymentRunTest, FailedBulkHeaderLeavesOnlyTheHeader) {
    std::vector<PaymentRecord> records = Examples(3);
    records[0].PayerBankSortCode = u"1234567";
    records[1].Status = 28;
    records[2].Status = 1;
    payments = MemoryPayments(records);
    parts.answer = Options(PaymentFormat::BulkList, "T", "R");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(parts.resultCode, run_result::kCheckFailed);
    const auto lines = SplitLines(ReadFileBytes(Output()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 6), ",,,06,");
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{23, 28, 1}));
}

TEST_F(PaymentRunTest, OneInvalidPaymentAmongTenFailsTheRunButNotTheOthers) {
    std::vector<PaymentRecord> records = Examples(10);
    records[6].PayeeBankAccountNumber = u"2214096";
    payments = MemoryPayments(records);
    parts.answer = Options(PaymentFormat::StandardDomestic);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(parts.resultCode, run_result::kCheckFailed);
    EXPECT_EQ(SplitLines(ReadFileBytes(Output())).size(), 10u);
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 0, 0, 0, 0, 0, 29, 0, 0, 0}));
}

// Payees of the published check's cases: one valid, one invalid.
MemoryPayments CheckedPayees() {
    std::vector<PaymentRecord> records = Examples(2);
    records[0].PayeeBankSortCode = records[1].PayeeBankSortCode = u"08-99-99";
    records[0].PayeeBankAccountNumber = u"66374958";
    records[1].PayeeBankAccountNumber = u"66374959";
    return MemoryPayments(records);
}

TEST_F(PaymentRunTest, AccountCheckTurnedOnInTheSettingsFileMarksTheInvalidPayee) {
    ASSERT_TRUE(platform::WriteProfileValue("Validation", "ModulusCheck", "1", settings.SettingsFilePath().GetString()));
    payments = CheckedPayees();
    parts.answer = Options(PaymentFormat::StandardDomestic);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(parts.resultCode, run_result::kCheckFailed);
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 36}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PaymentRunTest, UnreadableTablesAreToldBeforeTheOptionsAndTheRunGoesOnUnchecked) {
    ASSERT_TRUE(platform::WriteProfileValue("Validation", "ModulusCheck", "1", settings.SettingsFilePath().GetString()));
    componentFolder = files.File("no tables here");
    payments = CheckedPayees();
    parts.answer = Options(PaymentFormat::StandardDomestic);
    EXPECT_EQ(Run(), 0);
    const Journal expected = {"ExportLocation", "ResultCode 0", "Account", "MessageBox Tesk Varrow Internet Quidlane",
                              "AskOptions(\"\", \"\")"};
    EXPECT_EQ(Journal(journal.begin(), journal.begin() + 5), expected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("cannot be read:\r\n" + files.File("no tables here")), std::string::npos) << messages[0].text;
    EXPECT_NE(messages[0].text.find("without the account number check"), std::string::npos) << messages[0].text;
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 0}));
}

TEST_F(PaymentRunTest, TheHolidayListBesideTheSettingsReachesTheDialogUnlessItIsDamaged) {
    const fs::path list = appData.Path() / "TESK" / "Tesk EBanking" / "HOLIDAYS.TXT";
    const struct {
        const char* name;
        const char* text;  // nullptr: no file
        std::size_t listedDays;
        const char* told;  // nullptr: nothing
    } rows[] = {
        {"no file", nullptr, 0, nullptr},
        {"a good list", "2022-09-19 closed # the funeral\n2020-05-04 open\n", 2, nullptr},
        {"a damaged list", "2022-09-19 closed\n2022-06-31 closed\n", 0, " line 2: "},
    };
    for (const auto& row : rows) {
        journal.clear();
        messages.clear();
        fs::remove(list);
        if (row.text) appData.Write("TESK/Tesk EBanking/HOLIDAYS.TXT", row.text);
        parts.answer = std::nullopt;
        EXPECT_EQ(Run(), 0) << row.name;
        EXPECT_EQ(parts.listedDays, row.listedDays) << row.name;
        if (!row.told) {
            EXPECT_TRUE(messages.empty()) << row.name;
            continue;
        }
        const Journal expected = {"ExportLocation", "ResultCode 0", "Account", "MessageBox Tesk Varrow Internet Quidlane",
                                  "AskOptions(\"\", \"\")", "ResultCode 3"};
        EXPECT_EQ(journal, expected) << row.name;
        ASSERT_EQ(messages.size(), 1u) << row.name;
        EXPECT_NE(messages[0].text.find("cannot be read:\r\n" + list.string() + row.told), std::string::npos)
            << messages[0].text;
        EXPECT_NE(messages[0].text.find("regular bank holidays alone"), std::string::npos) << messages[0].text;
        EXPECT_EQ(messages[0].icon, platform::MessageIcon::Warning) << row.name;
    }
}

TEST_F(PaymentRunTest, AFailedCheckStaysInTheResultWhenALaterPaymentBreaksTheRun) {
    std::vector<PaymentRecord> records = Examples(3);
    records[0].PayeeBankAccountNumber = u"2214096";
    testing_support::ThrowingPayments failing(records, 1);
    parts.answer = Options(PaymentFormat::StandardDomestic);
    EXPECT_THROW(RunPayments(parts, &failing, settings), std::runtime_error);
    EXPECT_EQ(parts.resultCode, run_result::kCheckFailed);
    EXPECT_EQ(failing.Records()[0].Status, 29);
}

TEST_F(PaymentRunTest, EmptyCollectionInABulkFormatMakesUpNoHeader) {
    payments = MemoryPayments();
    parts.answer = Options(PaymentFormat::AdHocBulk, "", "R");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kFileFailed);
    EXPECT_EQ(ReadFileBytes(Output()), "");
}

// ---- payments made twice, where DuplicateDays turns the check on

class RepeatedPaymentsRun : public PaymentRunTest {
protected:
    RepeatedPaymentsRun() {
        std::vector<PaymentRecord> records = Examples(3);
        records[2].Value = records[0].Value;  // the first payment once more
        records[1].Status = 1;                // a transfer mark
        payments = MemoryPayments(records);
        parts.answer = Options(PaymentFormat::StandardDomestic);
    }
    void TurnOn(const char* days) {
        ASSERT_TRUE(platform::WriteProfileValue("Validation", "DuplicateDays", days, settings.SettingsFilePath().GetString()));
    }
    fs::path InSettingsFolder(const char* name) const { return appData.Path() / "TESK" / "Tesk EBanking" / name; }
    bool SawSaveDialog() const {
        return std::any_of(journal.begin(), journal.end(), [](const std::string& step) { return step.rfind("SaveDialog", 0) == 0; });
    }

    CivilDateTime today{2026, 12, 1};
    platform::ScopedHook<CivilDateTime()> clock{platform::LocalTimeHook(), [this] { return today; }};
};

TEST_F(RepeatedPaymentsRun, WithoutTheKeyNothingIsAskedAndNoHistoryIsKept) {
    for (const char* days : {"", "0", "401", "thirty"}) {
        if (*days) TurnOn(days);
        journal.clear();
        EXPECT_EQ(Run(), 0) << days;
        EXPECT_TRUE(messages.empty()) << days;
        EXPECT_TRUE(SawSaveDialog()) << days;
        for (const char* file : {"PAYMENTS.HST", "PAYMENTS.KEY", "PAYMENTS.LCK"})
            EXPECT_FALSE(fs::exists(InSettingsFolder(file))) << days << ": " << file;
    }
}

TEST_F(RepeatedPaymentsRun, AskBeforeTheSaveDialogAndNoEndsTheRunAsACancelledSaveDialog) {
    TurnOn("30");
    answer = platform::MessageAnswer::No;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(parts.resultCode, run_result::kCancelled);
    const Journal expected = {"ExportLocation", "ResultCode 0", "Account", "AskOptions(\"\", \"\")",
                              "MessageBox Tesk Varrow Internet Quidlane", "ResultCode 3"};
    EXPECT_EQ(journal, expected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "These payments look like payments made twice:\r\n\r\n"
              "Payment 3 (20-00-00, 87654321, 1.00, inv 42): the same as payment 1\r\n"
              "\r\nYes writes the file with every payment in it. No writes nothing, so that you can take the repeated "
              "payments out in the accounting application and run the payments again.\r\n\r\nWrite the file anyway?");
    EXPECT_EQ(messages[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(messages[0].defaultButton, platform::DefaultButton::Second);
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Warning);
    EXPECT_FALSE(OutputExists());
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "<absent>");
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 1, 0}));  // the mark stays
    EXPECT_FALSE(fs::exists(InSettingsFolder("PAYMENTS.HST")));
}

TEST_F(RepeatedPaymentsRun, YesWritesTheFileAndTheNextRunFindsItsPaymentsInTheHistory) {
    TurnOn("30");
    answer = platform::MessageAnswer::Yes;
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(SawSaveDialog());
    EXPECT_EQ(SplitLines(ReadFileBytes(Output())).size(), 3u);
    EXPECT_EQ(Statuses(payments), (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(SplitLines(ReadFileBytes(InSettingsFolder("PAYMENTS.HST").string())).size(), 4u);

    // A day later the same payments, the transfer marked again.
    today = {2026, 12, 2};
    payments.Records()[1].Status = 1;
    messages.clear();
    Run();
    ASSERT_EQ(messages.size(), 1u);
    const std::string written = "written to " + Output() + " on 01/12/2026\r\n";
    EXPECT_NE(messages[0].text.find("Payment 1 (20-00-00, 87654321, 1.00, inv 42): " + written), std::string::npos)
        << messages[0].text;
    EXPECT_NE(messages[0].text.find("Payment 2 (20-00-00, 87654321, 2.00, inv 42): " + written), std::string::npos);
    EXPECT_NE(messages[0].text.find("Payment 3 (20-00-00, 87654321, 1.00, inv 42): " + written), std::string::npos);
}

TEST_F(RepeatedPaymentsRun, TenFindingsAreListedAndTheRestCounted) {
    TurnOn("30");
    payments = MemoryPayments(std::vector<PaymentRecord>(13, ExamplePayment()));
    answer = platform::MessageAnswer::No;
    Run();
    ASSERT_EQ(messages.size(), 1u);
    const std::string& text = messages[0].text;
    EXPECT_NE(text.find("Payment 11 (20-00-00, 87654321, 100.00, inv 42): the same as payment 1\r\nand 2 more\r\n"),
              std::string::npos) << text;
    EXPECT_EQ(text.find("Payment 12"), std::string::npos) << text;
}

TEST_F(RepeatedPaymentsRun, AHistoryThatCannotBeUsedIsToldOnceAndTheRunGoesOn) {
    TurnOn("30");
    fs::create_directories(InSettingsFolder("PAYMENTS.HST") / "in the way");
    answer = platform::MessageAnswer::Yes;
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(messages.size(), 2u);  // the notice, then the question about the run's own repeat
    EXPECT_EQ(messages[0].text.rfind("The payment history " + InSettingsFolder("PAYMENTS.HST").string() +
                                         " cannot be used: it cannot be read: ", 0), 0u) << messages[0].text;
    EXPECT_EQ(messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_NE(messages[1].text.find("the same as payment 1"), std::string::npos);
    EXPECT_TRUE(OutputExists());  // the file is written, and recording it fails without a second word
}

}  // namespace
