// Process end to end through the registered component and the substitute host: a second thread
// works the real options dialog and the real save dialog, and the test looks at what the host
// sees afterwards: the upload file, each payment's Status, ResultCode, the settings file, and the
// calls the component made.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ole_date.h"
#include "options/calendar.h"
#include "resources/payment_dialog_ids.h"
#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/gui.h"
#include "tests/support/host_call_failures.h"
#include "tests/support/payment_run_user.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

using com_test::HexText;
using substitute_host::PaymentFields;
using Lines = std::vector<std::string>;

namespace {

namespace fs = std::filesystem;

// ---- what the host hands over

PaymentFields Payment(const wchar_t* sortCode, const wchar_t* account, const wchar_t* name, double value,
                      const wchar_t* reference) {
    PaymentFields fields;
    fields.value = value;
    fields.payerBankSortCode = L"40-12-76";
    fields.payerBankAccountNumber = L"41829374";
    fields.payerBankAccountName = L"Harbourside Joinery Ltd";
    fields.payeeBankSortCode = sortCode;
    fields.payeeBankAccountNumber = account;
    fields.payeeBankAccountName = name;
    fields.payeeBankBACSReference = reference;
    fields.details = L"December";
    return fields;
}

std::vector<PaymentFields> ThreePayments() {
    return {Payment(L"20-32-06", L"73004521", L"Oakridge Timber Supplies", 1250, L"INV-20931"),
            Payment(L"09-01-28", L"11870342", L"Northern Power & Gas", 86.4, L"ACC 55012877"),
            Payment(L"40-12-76", L"52630018", L"Harbourside Joinery Ltd", 3200, L"TAX RESERVE")};
}

std::vector<PaymentFields> TenPayments() {
    std::vector<PaymentFields> payments;
    for (int i = 0; i < 10; ++i) payments.push_back(Payment(L"20-32-06", L"73004521", L"Oakridge", 10.0 + i, L"R"));
    return payments;
}

void SetStatuses(ITeskPayments* payments, const std::vector<long>& statuses) {
    const substitute_host::RecordingPaused quiet;
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        ComPtr<ITeskPayment> payment;
        if (SUCCEEDED(payments->get_Item(static_cast<LONG>(i), payment.Receive()))) payment->put_Status(statuses[i]);
    }
}

// ---- the settings file the component keeps in the prefix

std::string SettingsFile() {
    char folder[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE);
    return std::string(folder) + "\\TESK\\Tesk EBanking\\BANKSERV.INI";
}

// The administrator's list of bank holidays beside the settings file.
std::string HolidayListFile() { return fs::path(SettingsFile()).parent_path().string() + "\\HOLIDAYS.TXT"; }

// A file beside the settings file: the payment history and its key and lock.
std::string BesideSettings(const char* name) { return fs::path(SettingsFile()).parent_path().string() + "\\" + name; }

void StartWithoutSettings() {
    fs::create_directories(fs::path(SettingsFile()).parent_path());
    ::DeleteFileA(SettingsFile().c_str());
    ::DeleteFileA(HolidayListFile().c_str());
    for (const char* name : {"PAYMENTS.HST", "PAYMENTS.KEY", "PAYMENTS.LCK"}) ::DeleteFileA(BesideSettings(name).c_str());
}

void Store(const char* key, const char* value) {
    ASSERT_TRUE(::WritePrivateProfileStringA("MIGRATED", key, value, SettingsFile().c_str()));
}

std::string Stored(const char* key) {
    char value[300] = {};
    ::GetPrivateProfileStringA("MIGRATED", key, "<absent>", value, sizeof value, SettingsFile().c_str());
    return value;
}

// ---- dates, as the component's real clock sees them

struct Day {
    int year, month, day;
    bool operator==(const Day& other) const {
        return year == other.year && month == other.month && day == other.day;
    }
};

std::ostream& operator<<(std::ostream& out, const Day& d) { return out << d.day << "/" << d.month << "/" << d.year; }

Day DayOf(double date) {
    const auto parts = FromOleDate(date);
    return parts ? Day{parts->year, parts->month, parts->day} : Day{0, 0, 0};
}

Day DayOf(const SYSTEMTIME& time) { return {time.wYear, time.wMonth, time.wDay}; }

Day DefaultProcessingDay() { return DayOf(NextAvailableProcessingDate(CurrentLocalDate())); }

// The banking day after the default one: a date the user picks instead.
Day LaterBankingDay() {
    double date = std::floor(NextAvailableProcessingDate(CurrentLocalDate())) + 1;
    while (!IsBankingDay(date).banking) date += 1;
    return DayOf(date);
}

std::string FileDate(const Day& d) {  // DDMMYYYY, as the files write it
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", d.day, d.month, d.year);
    return text;
}

std::string IsoDate(const Day& d) {  // YYYY-MM-DD, as the holiday list writes it
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

std::string CommandLineDate(const Day& d) {  // DD/MM/YYYY
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day, d.month, d.year);
    return text;
}

// Text as the substitute host records it: quoted, with quotes and backslashes escaped.
std::string HostQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// ---- the upload file

Lines FileLines(const std::string& path) {
    Lines lines;
    const std::string bytes = ReadFileBytes(path);
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no CR LF>");
    return lines;
}

std::string Field(const std::string& line, int number) {
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) {
        start = line.find(',', start);
        if (start == std::string::npos) return "<missing>";
        ++start;
    }
    return line.substr(start, line.find(',', start) - start);
}

// ---- the user

struct Choice {
    int formatButton = IDC_STANDARD_DOMESTIC;
    const char* templateText = nullptr;
    const char* beneficiaryText = nullptr;
    std::vector<int> iatRows;
    std::optional<Day> date;
};

void Choose(HWND dialog, const Choice& choice) {
    gui::Click(dialog, choice.formatButton);
    if (!choice.iatRows.empty()) {
        gui::Click(dialog, IDC_IAT_CHECK);
        for (const int row : choice.iatRows) gui::SelectListRows(::GetDlgItem(dialog, IDC_PAYMENT_LIST), {row});
        gui::Click(dialog, IDC_SET);
    }
    if (choice.templateText) gui::SetItemText(dialog, IDC_TEMPLATE, choice.templateText);
    if (choice.beneficiaryText) gui::SetItemText(dialog, IDC_BENEFICIARY_REFERENCE, choice.beneficiaryText);
    if (choice.date) gui::SetPickerDate(::GetDlgItem(dialog, IDC_PROCESSING_DATE), choice.date->year,
                                        choice.date->month, choice.date->day);
}

void Confirm(HWND dialog) {
    gui::PostClick(dialog, IDOK);
    gui::WaitUntilClosed(dialog);
}

// Chooses, confirms, and saves as `path`.
std::function<void()> ChooseAndSave(const Choice& choice, const std::string& path) {
    return [choice, path] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        Choose(options, choice);
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, path);
    };
}

// ---- the varrow command on the same payments

std::string CsvField(const std::optional<std::wstring>& text) {
    std::string quoted = "\"";
    for (const wchar_t c : text.value_or(L"")) quoted += c == L'"' ? std::string("\"\"") : std::string(1, static_cast<char>(c));
    return quoted + "\"";
}

std::string PaymentsCsv(const std::vector<PaymentFields>& payments) {
    std::string csv =
        "Value,PayerBankSortCode,PayerBankAccountNumber,PayeeBankSortCode,PayeeBankAccountNumber,PayeeBankAccountName,"
        "PayeeBankBACSReference,PayeeBuildingSocietyRollNumber,Details,Status\r\n";
    for (const auto& p : payments) {
        char value[64];
        std::snprintf(value, sizeof value, "%.2f", p.value);
        csv += std::string(value) + "," + CsvField(p.payerBankSortCode) + "," + CsvField(p.payerBankAccountNumber) +
               "," + CsvField(p.payeeBankSortCode) + "," + CsvField(p.payeeBankAccountNumber) + "," +
               CsvField(p.payeeBankAccountName) + "," + CsvField(p.payeeBankBACSReference) + "," +
               CsvField(p.payeeBuildingSocietyRollNumber) + "," + CsvField(p.details) + "," +
               std::to_string(p.status) + "\r\n";
    }
    return csv;
}

// ---- the fixture

class ProcessRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        StartWithoutSettings();
        substitute_host::SetExportLocation("pay", "txt", exports.Path().string());
        ASSERT_EQ(::CoCreateInstance(CLSID_BankPaymentService, nullptr, CLSCTX_INPROC_SERVER, IID_IBankPaymentService,
                                     ReceiveAsVoid(service)),
                  S_OK);
        service->put_ResultCode(-7);
    }
    void TearDown() override {
        substitute_host::Reset();
        ::DeleteFileA(HolidayListFile().c_str());
    }

    HRESULT Process(ITeskPayments* payments, ITeskServiceFilter* filter, const std::function<void()>& user) {
        return run_user::WithUser([&] { return service->Process(payments, filter); }, user);
    }

    LONG ResultCode() const {
        LONG code = 0;
        service->get_ResultCode(&code);
        return code;
    }

    std::string Output() const { return exports.File("upload.txt"); }

    TempDir exports;
    ComPtr<IBankPaymentService> service;
};

// The calls that show the run's steps: the configuration, the filter, and every Count.
Lines Steps() {
    Lines steps;
    for (const auto& call : substitute_host::Calls()) {
        for (const char* prefix : {"BankConfiguration", "ServiceFilter", "FilterAccount", "Payments.2 "}) {
            if (call.rfind(prefix, 0) == 0) steps.push_back(call);
        }
    }
    return steps;
}

TEST_F(ProcessRunTest, RunsEndToEndThroughBothDialogs) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
    const run_user::ActiveHostWindow host;
    Day shown{0, 0, 0};
    HWND optionsOwner = nullptr, saveOwner = nullptr;
    Lines rows;
    const HRESULT hr = Process(payments.Get(), filter.Get(), [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        optionsOwner = ::GetWindow(options, GW_OWNER);
        shown = DayOf(gui::PickerDate(::GetDlgItem(options, IDC_PROCESSING_DATE)));
        Choose(options, Choice{IDC_STANDARD_DOMESTIC, nullptr, nullptr, {1}, std::nullopt});
        HWND list = ::GetDlgItem(options, IDC_PAYMENT_LIST);
        for (int row = 0; row < gui::ListRowCount(list); ++row) {
            std::string cells;
            for (int column = 0; column < 7; ++column) cells += gui::ListCell(list, row, column) + "|";
            rows.push_back(cells);
        }
        gui::SaveScreenshot(options, VARROW_BUILD_DIR "/process-payment-options.png");
        Confirm(options);
        HWND save = run_user::WaitForSaveDialog();
        if (!save) return;
        saveOwner = ::GetWindow(save, GW_OWNER);
        run_user::SaveAs(save, Output());
    });

    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(optionsOwner, host.Get());
    EXPECT_EQ(saveOwner, host.Get());
    EXPECT_EQ(shown, DefaultProcessingDay());
    const Lines expectedRows = {
        "20-32-06|73004521|Oakridge Timber Supplies|1250.00|INV-20931|December|No|",
        "09-01-28|11870342|Northern Power & Gas|86.40|ACC 55012877|December|Yes|",
        "40-12-76|52630018|Harbourside Joinery Ltd|3200.00|TAX RESERVE|December|No|",
    };
    EXPECT_EQ(rows, expectedRows);

    const Lines lines = FileLines(Output());
    ASSERT_EQ(lines.size(), 3u);
    const char* types[] = {"01", "03", "01"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Field(lines[i], 4), types[i]) << lines[i];
        EXPECT_EQ(Field(lines[i], 19), FileDate(shown)) << lines[i];
    }
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{0, 0, 0}));
    // The format uses neither box: both keys of the account are stored empty.
    const std::string settings = ReadFileBytes(SettingsFile());
    EXPECT_NE(settings.find("[MIGRATED]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("VarrowQuidlaneTemplate123456_87654321=\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("VarrowQuidlaneBenRef123456_87654321=\r\n"), std::string::npos) << settings;

    const Lines expectedSteps = {
        "BankConfiguration created",
        "BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> \"pay\", \"txt\", " +
            HostQuoted(exports.Path().string()),
        "Payments.2 get_Count() -> 3",  // the limit
        "ServiceFilter.1 get_Account() -> FilterAccount",
        "FilterAccount.1 get_SortCode() -> \"12-34-56\"",
        "FilterAccount.5 get_AccountNumber() -> \"87654321\"",
        "Payments.2 get_Count() -> 3",  // the dialog's list
        "Payments.2 get_Count() -> 3",  // the list again after Set
        "Payments.2 get_Count() -> 3",  // the writing loop
        "BankConfiguration released",
    };
    EXPECT_EQ(Steps(), expectedSteps);
}

struct FormatRow {
    const char* name;  // as the varrow command calls the format
    Choice choice;
    std::vector<std::string> options;  // the same choice for varrow export
};

TEST_F(ProcessRunTest, UploadFileEqualsWhatVarrowExportWrites) {
    std::vector<PaymentFields> fields = ThreePayments();
    fields.push_back(Payment(L"30-96-34", L"2214096", L"Kestrel Fixings Ltd", 412.75, L"KF/7781"));  // invalid
    fields[0].payeeBuildingSocietyRollNumber = L"AB/123";
    const Day date = LaterBankingDay();
    const FormatRow rows[] = {
        {"standard-domestic", {IDC_STANDARD_DOMESTIC, nullptr, nullptr, {2}, date}, {"--iat", "2"}},
        {"domestic-template", {IDC_DOMESTIC_TEMPLATE, "Joinery Dec", nullptr, {2}, date}, {"--template", "Joinery Dec", "--iat", "2"}},
        {"bulk-list", {IDC_BULK_LIST, "SUPPLIERS-DEC", "HJL DEC RUN", {}, date},
         {"--template", "SUPPLIERS-DEC", "--benref", "HJL DEC RUN"}},
        {"ad-hoc-bulk", {IDC_AD_HOC_BULK, nullptr, "HJL DEC RUN", {}, date}, {"--benref", "HJL DEC RUN"}},
    };
    const TempDir reference;
    const std::string csv = reference.Write("payments.csv", PaymentsCsv(fields));
    for (const auto& row : rows) {
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(fields);
        const HRESULT hr = Process(payments.Get(), nullptr, ChooseAndSave(row.choice, Output()));

        std::vector<std::string> args = {"export", "--format", row.name, "--date", CommandLineDate(date),
                                         "-o", reference.File("upload.txt")};
        args.insert(args.end(), row.options.begin(), row.options.end());
        args.push_back(csv);
        const ProcessResult varrow = RunVarrow(args);
        ASSERT_EQ(varrow.exitCode, 1) << row.name << "\n" << varrow.err;

        EXPECT_EQ(hr, 1) << row.name;
        EXPECT_EQ(ResultCode(), 1) << row.name;
        const std::string written = ReadFileBytes(Output());
        EXPECT_EQ(written, reference.Read("upload.txt")) << row.name;
        EXPECT_NE(written.find(FileDate(date)), std::string::npos) << row.name << "\n" << written;
        // The statuses the host reads are those the command reports.
        std::string report;
        const std::vector<long> statuses = substitute_host::Statuses(payments.Get());
        for (std::size_t i = 0; i < statuses.size(); ++i) {
            report += std::to_string(i) + "\t" + std::to_string(statuses[i]) + "\t";
        }
        std::string expected;
        for (std::size_t start = 0, end; (end = varrow.out.find('\n', start)) != std::string::npos; start = end + 1) {
            const std::string line = varrow.out.substr(start, end - start);
            if (line.rfind("result", 0) == 0) continue;
            expected += line.substr(0, line.find('\t', line.find('\t') + 1) + 1);
        }
        EXPECT_EQ(report, expected) << row.name;
    }
}

TEST_F(ProcessRunTest, AccountCheckTurnedOnGivesTheInvalidPayee36InEveryFormat) {
    ASSERT_TRUE(::WritePrivateProfileStringA("Validation", "ModulusCheck", "1", SettingsFile().c_str()));
    // The published check's cases: a valid account and the same one mistyped.
    const std::vector<PaymentFields> fields = {Payment(L"08-99-99", L"66374958", L"Fenwick Glazing", 410, L"FG-12"),
                                               Payment(L"08-99-99", L"66374959", L"Fenwick Glazing", 95, L"FG-13")};
    const struct {
        const char* name;
        Choice choice;
        std::size_t lines;
    } rows[] = {
        {"standard-domestic", {IDC_STANDARD_DOMESTIC, nullptr, nullptr, {}, std::nullopt}, 2},
        {"domestic-template", {IDC_DOMESTIC_TEMPLATE, "Glazing", nullptr, {}, std::nullopt}, 2},
        {"bulk-list", {IDC_BULK_LIST, "SUPPLIERS-DEC", "HJL DEC RUN", {}, std::nullopt}, 3},
        {"ad-hoc-bulk", {IDC_AD_HOC_BULK, nullptr, "HJL DEC RUN", {}, std::nullopt}, 3},
    };
    for (const auto& row : rows) {
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(fields);
        const HRESULT hr = Process(payments.Get(), nullptr, ChooseAndSave(row.choice, Output()));
        EXPECT_EQ(hr, 1) << row.name;
        EXPECT_EQ(ResultCode(), 1) << row.name;
        EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{0, 36})) << row.name;
        EXPECT_EQ(FileLines(Output()).size(), row.lines) << row.name;  // the invalid payment's line too
    }
}

// A list with a line that cannot be read is not used at all: its first line would close the day the
// user picks, which the dialog accepts all the same.
TEST_F(ProcessRunTest, AnUnreadableHolidayListIsToldBeforeTheOptionsAndIgnored) {
    const Day later = LaterBankingDay();
    {
        std::FILE* list = std::fopen(HolidayListFile().c_str(), "wb");
        ASSERT_NE(list, nullptr);
        std::fputs((IsoDate(later) + " closed\r\n2022-13-01 closed\r\n").c_str(), list);
        std::fclose(list);
    }
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    const run_user::ActiveHostWindow host;
    std::string told;
    HWND owner = nullptr;
    bool warning = false;
    Day shown{0, 0, 0};
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND box = gui::WaitForWindow("#32770", "Tesk Varrow Internet Quidlane");
        if (!box) return;
        told = gui::MessageBoxText(box);
        owner = ::GetWindow(box, GW_OWNER);
        warning = run_user::MessageBoxIcon(box) == ::LoadIcon(nullptr, IDI_WARNING);
        gui::Answer(box, IDOK);
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        shown = DayOf(gui::PickerDate(::GetDlgItem(options, IDC_PROCESSING_DATE)));
        Choose(options, Choice{IDC_STANDARD_DOMESTIC, nullptr, nullptr, {}, later});
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, Output());
    });
    EXPECT_NE(told.find("cannot be read:\r\n" + HolidayListFile() + " line 2: "), std::string::npos) << told;
    EXPECT_NE(told.find("regular bank holidays alone"), std::string::npos) << told;
    EXPECT_EQ(owner, host.Get());
    EXPECT_TRUE(warning);
    EXPECT_EQ(shown, DefaultProcessingDay());
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 0);
    const Lines lines = FileLines(Output());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Field(lines[0], 19), FileDate(later)) << lines[0];
}

TEST_F(ProcessRunTest, CancellingTheOptionsDialogClearsEveryMarkAndEndsWithThree) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    SetStatuses(payments.Get(), {1, 23, 0});
    Store("VarrowQuidlaneTemplate", "RENT-Q1");
    std::string offered;
    bool asked = false, saveShown = true;
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        gui::Click(options, IDC_BULK_LIST);
        offered = gui::ItemText(options, IDC_TEMPLATE);
        gui::PostClick(options, IDCANCEL);
        if (HWND question = gui::WaitForWindow("#32770", "Changes have been made")) {
            asked = true;
            gui::Answer(question, IDYES);
        }
        gui::WaitUntilClosed(options);
        saveShown = run_user::WaitForSaveDialog(1500) != nullptr;
    });
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 3);
    EXPECT_EQ(offered, "RENT-Q1");
    EXPECT_TRUE(asked);
    EXPECT_FALSE(saveShown);
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{0, 0, 0}));
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "RENT-Q1");
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef"), "<absent>");
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(ProcessRunTest, CancellingTheSaveDialogKeepsTheMarksAndStoresNothing) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    Store("VarrowQuidlaneTemplate", "OLD");
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        Choose(options, Choice{IDC_DOMESTIC_TEMPLATE, "NEW", nullptr, {0}, std::nullopt});
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::CancelDialog(save);
    });
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 3);
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{1, 0, 0}));
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "OLD");
    EXPECT_TRUE(fs::is_empty(exports.Path()));
}

struct FilterRow {
    const char* name;
    bool withFilter;
    void (*script)();
    const char* templateKey;
    const char* beneficiaryKey;
};

TEST_F(ProcessRunTest, SettingsKeysFollowTheServiceFilter) {
    const FilterRow rows[] = {
        {"no filter", false, [] {}, "VarrowQuidlaneTemplate", "VarrowQuidlaneBenRef"},
        {"filter with its account", true, [] {}, "VarrowQuidlaneTemplate123456_87654321",
         "VarrowQuidlaneBenRef123456_87654321"},
        {"filter without an account", true,
         [] { substitute_host::FailMethod(HostObjectKind::ServiceFilter, 1, E_FAIL); }, "VarrowQuidlaneTemplate",
         "VarrowQuidlaneBenRef"},
        {"account without a sort code", true,
         [] { substitute_host::FailMethod(HostObjectKind::FilterAccount, 1, E_FAIL); },
         "VarrowQuidlaneTemplate_87654321", "VarrowQuidlaneBenRef_87654321"},
    };
    for (const auto& row : rows) {
        StartWithoutSettings();
        Store(row.templateKey, "OLD-T");
        Store(row.beneficiaryKey, "OLD-R");
        substitute_host::Reset();
        substitute_host::SetExportLocation("pay", "txt", exports.Path().string());
        row.script();
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
        const ComPtr<ITeskServiceFilter> filter =
            row.withFilter ? substitute_host::MakeServiceFilter(L"12-34-56", L"87654321") : ComPtr<ITeskServiceFilter>();
        std::string offeredTemplate, offeredReference;
        const HRESULT hr = Process(payments.Get(), filter.Get(), [&] {
            HWND options = run_user::WaitForOptionsDialog();
            if (!options) return;
            gui::Click(options, IDC_BULK_LIST);
            offeredTemplate = gui::ItemText(options, IDC_TEMPLATE);
            offeredReference = gui::ItemText(options, IDC_BENEFICIARY_REFERENCE);
            Choose(options, Choice{IDC_BULK_LIST, "NEW-T", "NEW-R", {}, std::nullopt});
            Confirm(options);
            if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, Output());
        });
        EXPECT_EQ(hr, S_OK) << row.name;
        EXPECT_EQ(offeredTemplate, "OLD-T") << row.name;
        EXPECT_EQ(offeredReference, "OLD-R") << row.name;
        EXPECT_EQ(Stored(row.templateKey), "NEW-T") << row.name;
        EXPECT_EQ(Stored(row.beneficiaryKey), "NEW-R") << row.name;
    }
}

TEST_F(ProcessRunTest, FailedBulkHeaderLeavesOnlyTheHeaderLine) {
    std::vector<PaymentFields> fields = ThreePayments();
    fields[0].payerBankSortCode = L"1234567";
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(fields);
    SetStatuses(payments.Get(), {0, 28, 1});
    const HRESULT hr =
        Process(payments.Get(), nullptr, ChooseAndSave(Choice{IDC_BULK_LIST, "T", "R", {}, std::nullopt}, Output()));
    EXPECT_EQ(hr, 1);
    EXPECT_EQ(ResultCode(), 1);
    const Lines lines = FileLines(Output());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Field(lines[0], 4), "06");
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{23, 28, 1}));
}

TEST_F(ProcessRunTest, OneInvalidPaymentAmongTenFailsTheRunAlone) {
    std::vector<PaymentFields> fields = TenPayments();
    fields[6].payeeBankAccountNumber = L"2214096";
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(fields);
    const HRESULT hr = Process(payments.Get(), nullptr, ChooseAndSave(Choice{}, Output()));
    EXPECT_EQ(hr, 1);
    EXPECT_EQ(ResultCode(), 1);
    EXPECT_EQ(FileLines(Output()).size(), 10u);
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{0, 0, 0, 0, 0, 0, 29, 0, 0, 0}));
}

TEST_F(ProcessRunTest, UnwritableOutputFileEndsWithTwoAfterTheSettingsAreStored) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    SetStatuses(payments.Get(), {5, 5, 5});
    // Another program holds the file open and shares it with nobody.
    const HANDLE held = ::CreateFileA(Output().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const HRESULT hr =
        Process(payments.Get(), nullptr, ChooseAndSave(Choice{IDC_AD_HOC_BULK, nullptr, "R2", {}, std::nullopt}, Output()));
    ::CloseHandle(held);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 2);
    EXPECT_EQ(Stored("VarrowQuidlaneBenRef"), "R2");
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "");  // the format disables the box: stored empty
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{5, 5, 5}));
    EXPECT_EQ(ReadFileBytes(Output()), "");
}

TEST_F(ProcessRunTest, MissingDefaultDirectoryIsReportedFirstAndCIsOffered) {
    const std::string missing = exports.File("no such folder");
    substitute_host::SetExportLocation("varrow-default", "txt", missing);
    const std::string fallback = "C:\\varrow-default.txt";
    ::DeleteFileA(fallback.c_str());
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    const run_user::ActiveHostWindow host;
    std::string text;
    HWND owner = nullptr;
    bool stopIcon = false, optionsBefore = true;
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND box = gui::WaitForWindow("#32770", "Invalid default path");
        if (!box) return;
        text = gui::MessageBoxText(box);
        owner = ::GetWindow(box, GW_OWNER);
        stopIcon = run_user::MessageBoxIcon(box) == ::LoadIcon(nullptr, IDI_HAND);
        optionsBefore = gui::WaitForWindow("#32770", run_user::kOptionsCaption, 0) != nullptr;
        gui::Answer(box, IDOK);
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::PressSave(save);
    });
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(text, "The default payment directory (" + missing +
                        ") specified does not exist.  Please correct this within configuration for the specified "
                        "banking component. The root directory (C:\\) will be used in the mean time.");
    EXPECT_EQ(owner, host.Get());
    EXPECT_TRUE(stopIcon);
    EXPECT_FALSE(optionsBefore);
    EXPECT_EQ(FileLines(fallback).size(), 3u);
    ::DeleteFileA(fallback.c_str());
}

TEST_F(ProcessRunTest, FourThousandPaymentsAreAccepted) {
    const ComPtr<ITeskPayments> payments =
        substitute_host::MakePayments(std::vector<PaymentFields>(4000, ThreePayments()[0]));
    int rows = 0;
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        rows = gui::ListRowCount(::GetDlgItem(options, IDC_PAYMENT_LIST));
        run_user::CancelDialog(options);
    });
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 3);
    EXPECT_EQ(rows, 4000);
}

TEST_F(ProcessRunTest, FailingPaymentPropertyEndsTheRunAsADispatchException) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    substitute_host::FailMethod(HostObjectKind::Payment, 15, E_FAIL);  // get_PayeeBankSortCode
    std::string shownSortCode = "<none>";
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        shownSortCode = gui::ListCell(::GetDlgItem(options, IDC_PAYMENT_LIST), 0, 0);
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, Output());
    });
    EXPECT_EQ(HexText(hr), "0x80020009");
    EXPECT_EQ(shownSortCode, "");  // the list shows what the host gave
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(ReadFileBytes(Output()), "");
}

TEST_F(ProcessRunTest, PaymentThatCannotBeFetchedEndsTheFileWithTwo) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePayments());
    substitute_host::FailMethod(HostObjectKind::Payments, 1, E_FAIL);  // get_Item
    int rows = -1;
    const HRESULT hr = Process(payments.Get(), nullptr, [&] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        rows = gui::ListRowCount(::GetDlgItem(options, IDC_PAYMENT_LIST));
        Confirm(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, Output());
    });
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 2);
    EXPECT_EQ(rows, 0);  // a payment that cannot be fetched gives no row
    EXPECT_EQ(ReadFileBytes(Output()), "");
}

// What a run that failed at one host call must show, judged from the calls of the same run that
// succeeded. Before the dialog a failure ends the run, except for the service filter's account,
// which only names the settings keys; the dialog shows what it can get and goes on; once the file
// is written a payment that cannot be fetched ends it with 2 and any other failure ends the run.
class ProcessFailure {
public:
    ProcessFailure(const Lines& succeeded, std::size_t position) : succeeded_(succeeded), position_(position) {
        std::vector<std::size_t> counts;
        for (std::size_t i = 0; i < succeeded.size(); ++i) {
            if (host_calls::IsOf(succeeded[i], "Payments.2 ")) counts.push_back(i);
        }
        limitCount_ = counts.front();
        dialogStart_ = counts[1];
        writingStart_ = counts.back();
    }

    const std::string& Call() const { return succeeded_[position_]; }
    bool EndsBeforeTheDialog() const { return position_ <= limitCount_; }
    bool Tolerated() const { return position_ > limitCount_ && position_ < writingStart_; }
    bool InWriting() const { return position_ >= writingStart_; }

    std::string ExpectedResult() const {
        if (Tolerated()) return "0x00000001";  // payment 0 fails its check
        if (IsItem()) return EarlierRecordFailed() ? "0x00000001" : "0x00000000";
        return "0x80020009";
    }
    LONG ExpectedResultCode() const {
        if (position_ < limitCount_) return -7;  // the run ended before it set ResultCode
        if (Tolerated()) return 1;               // payment 0 fails its check
        if (IsItem()) return 2;
        return InWriting() && EarlierRecordFailed() ? 1 : 0;
    }

    // The suffix of the settings keys, or nothing when no settings are stored.
    std::optional<std::string> KeySuffix() const {
        if (EndsBeforeTheDialog()) return std::nullopt;
        if (host_calls::IsOf(Call(), "ServiceFilter.1 ")) return "";
        if (host_calls::IsOf(Call(), "FilterAccount.1 ")) return "_87654321";
        if (host_calls::IsOf(Call(), "FilterAccount.5 ")) return "123456_";
        return "123456_87654321";
    }

    // How many of the successful file's lines the file holds; nothing when no file is made.
    std::optional<std::size_t> FileLines(std::size_t all) const {
        if (Tolerated()) return all;
        if (!InWriting() || position_ == writingStart_) return std::nullopt;
        const std::size_t fetched = ItemsBefore(position_);
        return IsItem() ? fetched : fetched - 1;
    }

    // Each payment's Status: as the successful run left it up to the failing call, or at its end.
    std::vector<long> Statuses(std::size_t payments) const {
        std::vector<long> statuses(payments, 0);
        const std::size_t end = Tolerated() ? succeeded_.size() : position_;
        for (std::size_t i = 0; i < end; ++i) {
            long index = 0, status = 0;
            if (std::sscanf(succeeded_[i].c_str(), "Payment[%ld].32 put_Status(%ld)", &index, &status) == 2) {
                statuses[static_cast<std::size_t>(index)] = status;
            }
        }
        return statuses;
    }

    // The calls after the failing one, releases left out: none once the run ends; the rest of the
    // run when it goes on, from the writing on when the dialog may have asked less.
    Lines ExpectedAfter() const {
        if (!Tolerated()) return host_calls::UntilFirstUse(succeeded_, position_);
        if (position_ >= dialogStart_) return Tail(succeeded_, writingStart_);
        Lines after = host_calls::AfterWithoutReleases(succeeded_, position_);
        if (host_calls::IsOf(Call(), "ServiceFilter.1 ")) {
            after.erase(std::remove_if(after.begin(), after.end(),
                                       [](const std::string& call) { return host_calls::IsOf(call, "FilterAccount."); }),
                        after.end());
        }
        return after;
    }
    // The same part of the calls the failing run made.
    Lines MadeAfter(const Lines& made) const {
        if (!Tolerated() || position_ < dialogStart_) return host_calls::AfterWithoutReleases(made, position_);
        std::size_t writing = made.size();
        for (std::size_t i = made.size(); i-- > 0;) {
            if (host_calls::IsOf(made[i], "Payments.2 ")) {
                writing = i;
                break;
            }
        }
        return Tail(made, writing);
    }

private:
    static Lines Tail(const Lines& calls, std::size_t from) {
        return from == 0 ? host_calls::BeforeWithoutReleases(calls, calls.size())
                         : host_calls::AfterWithoutReleases(calls, from - 1);
    }
    bool IsItem() const { return InWriting() && host_calls::IsOf(Call(), "Payments.1 "); }
    std::size_t ItemsBefore(std::size_t end) const {
        std::size_t items = 0;
        for (std::size_t i = writingStart_; i < end; ++i) items += host_calls::IsOf(succeeded_[i], "Payments.1 ") ? 1 : 0;
        return items;
    }
    // Whether a line finished before the failing call's own line failed its check.
    bool EarlierRecordFailed() const {
        std::size_t lineStart = position_;
        while (!IsItem() && lineStart > writingStart_ && !host_calls::IsOf(succeeded_[lineStart], "Payments.1 ")) --lineStart;
        for (std::size_t i = writingStart_; i < lineStart; ++i) {
            long index = 0, status = 0;
            if (std::sscanf(succeeded_[i].c_str(), "Payment[%ld].32 put_Status(%ld)", &index, &status) == 2 && status)
                return true;
        }
        return false;
    }

    const Lines& succeeded_;
    std::size_t position_;
    std::size_t limitCount_ = 0, dialogStart_ = 0, writingStart_ = 0;
};

TEST_F(ProcessRunTest, AFailureAtEveryHostCallEndsAsItsPlaceInTheRunSays) {
    // One payment, in a bulk format: a header line and a record line, the record failing its check.
    // Each position costs a run through both dialogs, so the run is kept short.
    std::vector<PaymentFields> fields = {Payment(L"20-32-06", L"2214096", L"Oakridge", 10, L"R1")};
    const Choice choice{IDC_BULK_LIST, "T-FAIL", "R-FAIL", {}, std::nullopt};
    const auto run = [&](bool dialogExpected) {
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(fields);
        const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
        const auto user = dialogExpected ? ChooseAndSave(choice, Output()) : std::function<void()>([] {});
        const HRESULT hr = Process(payments.Get(), filter.Get(), user);
        return std::make_pair(hr, substitute_host::Statuses(payments.Get()));
    };
    ASSERT_EQ(HexText(run(true).first), "0x00000001");
    const Lines succeeded = substitute_host::Calls();
    const Lines succeededFile = FileLines(Output());
    ASSERT_EQ(succeededFile.size(), 2u);
    ASSERT_EQ(substitute_host::LiveObjects(), 0);

    for (const std::size_t position : host_calls::FailingPositions(succeeded)) {
        const ProcessFailure failure(succeeded, position);
        for (const auto& variant : host_calls::kVariants) {
            SCOPED_TRACE("failing " + failure.Call() + ", " + variant.name);
            StartWithoutSettings();
            ::DeleteFileA(Output().c_str());
            substitute_host::Reset();
            substitute_host::SetExportLocation("pay", "txt", exports.Path().string());
            substitute_host::FailCall(position, host_calls::kFailure, variant.description);
            service->put_ResultCode(-7);
            com_test::ClearErrorInfo();

            const auto [hr, statuses] = run(!failure.EndsBeforeTheDialog());

            EXPECT_EQ(HexText(hr), failure.ExpectedResult());
            EXPECT_EQ(ResultCode(), failure.ExpectedResultCode());
            EXPECT_FALSE(com_test::TakeErrorDescription().has_value()) << "an error object was left on the thread";
            const Lines made = substitute_host::Calls();
            ASSERT_GT(made.size(), position);
            EXPECT_EQ(host_calls::BeforeWithoutReleases(made, position), host_calls::BeforeWithoutReleases(succeeded, position));
            EXPECT_EQ(made[position], host_calls::Failed(failure.Call()));
            EXPECT_EQ(failure.MadeAfter(made), failure.ExpectedAfter());
            EXPECT_EQ(statuses, failure.Statuses(fields.size()));
            const auto lines = failure.FileLines(succeededFile.size());
            if (lines) {
                EXPECT_EQ(FileLines(Output()), Lines(succeededFile.begin(), succeededFile.begin() + *lines));
            } else {
                EXPECT_FALSE(fs::exists(Output())) << "a file was made";
            }
            const auto suffix = failure.KeySuffix();
            EXPECT_EQ(Stored(("VarrowQuidlaneTemplate" + suffix.value_or("123456_87654321")).c_str()),
                      suffix ? "T-FAIL" : "<absent>");
            EXPECT_EQ(Stored(("VarrowQuidlaneBenRef" + suffix.value_or("123456_87654321")).c_str()),
                      suffix ? "R-FAIL" : "<absent>");
            EXPECT_EQ(substitute_host::LiveObjects(), 0) << "a host object is still held";
        }
    }
}

// ---- payments made twice, where DuplicateDays in BANKSERV.INI turns the check on

// The three payments, the first entered again at the end.
std::vector<PaymentFields> ThreePaymentsAndTheFirstAgain() {
    std::vector<PaymentFields> fields = ThreePayments();
    fields.push_back(fields[0]);
    return fields;
}

std::string Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return CommandLineDate(DayOf(now));
}

// What the user saw in the question about payments made twice, and how the run went on.
struct Question {
    bool shown = false;
    HWND owner = nullptr;
    std::string caption, text;
    bool noIsDefault = false;
    bool saveShown = false;
};

// Confirms the options with the second payment marked as a transfer, answers the question with
// `answer` through its button, and saves as `path` if the save dialog comes.
std::function<void()> AnswerTheQuestion(Question& seen, int answer, const std::string& path) {
    return [&seen, answer, path] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        Choose(options, Choice{IDC_STANDARD_DOMESTIC, nullptr, nullptr, {1}, std::nullopt});
        Confirm(options);
        // The next window is the question, or without one the save dialog.
        HWND next = gui::WaitForDialog([](HWND) { return true; }, run_user::kDialogTimeoutMs);
        const bool asked = next && ::GetDlgItem(next, IDNO) != nullptr;
        if (asked) {
            seen.shown = true;
            seen.owner = ::GetWindow(next, GW_OWNER);
            seen.caption = gui::Text(next);
            seen.text = gui::MessageBoxText(next);
            // The default button: the one drawn as such, which Enter presses.
            seen.noIsDefault = (::GetWindowLongA(::GetDlgItem(next, IDNO), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            gui::Answer(next, answer);
        }
        HWND save = run_user::WaitForSaveDialog(!asked || answer == IDYES ? run_user::kDialogTimeoutMs : 1500);
        seen.saveShown = save != nullptr;
        if (save) run_user::SaveAs(save, path);
    };
}

TEST_F(ProcessRunTest, PaymentsMadeTwiceAreAskedAboutAndNoEndsAsACancelledSaveDialog) {
    Store("VarrowQuidlaneTemplate", "OLD");
    ASSERT_TRUE(::WritePrivateProfileStringA("Validation", "DuplicateDays", "30", SettingsFile().c_str()));
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePaymentsAndTheFirstAgain());
    const run_user::ActiveHostWindow host;
    Question seen;
    const HRESULT hr = Process(payments.Get(), nullptr, AnswerTheQuestion(seen, IDNO, Output()));
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(ResultCode(), 3);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, host.Get());
    EXPECT_EQ(seen.caption, "Tesk Varrow Internet Quidlane");
    EXPECT_EQ(seen.text,
              "These payments look like payments made twice:\r\n\r\n"
              "Payment 4 (20-32-06, 73004521, 1250.00, INV-20931): the same as payment 1\r\n"
              "\r\nYes writes the file with every payment in it. No writes nothing, so that you can take the repeated "
              "payments out in the accounting application and run the payments again.\r\n\r\nWrite the file anyway?");
    EXPECT_TRUE(seen.noIsDefault);
    EXPECT_FALSE(seen.saveShown);
    EXPECT_TRUE(fs::is_empty(exports.Path()));
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{0, 1, 0, 0}));  // the mark stays
    EXPECT_EQ(Stored("VarrowQuidlaneTemplate"), "OLD");
    EXPECT_FALSE(fs::exists(BesideSettings("PAYMENTS.HST")));
}

TEST_F(ProcessRunTest, YesGoesOnToTheSaveDialogAndTheNextRunFindsThePaymentsWritten) {
    ASSERT_TRUE(::WritePrivateProfileStringA("Validation", "DuplicateDays", "30", SettingsFile().c_str()));
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePaymentsAndTheFirstAgain());
    Question first;
    EXPECT_EQ(Process(payments.Get(), nullptr, AnswerTheQuestion(first, IDYES, Output())), S_OK);
    EXPECT_TRUE(first.shown);
    EXPECT_TRUE(first.saveShown);
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(FileLines(Output()).size(), 4u);
    const Lines history = FileLines(BesideSettings("PAYMENTS.HST"));
    ASSERT_EQ(history.size(), 5u);
    EXPECT_EQ(history[1].substr(64), "\t" + IsoDate(DefaultProcessingDay()) + "\t" + IsoDate(DayOf(CurrentLocalDate())) +
                                         "\t" + Output());

    // The same three payments again: each was written.
    const ComPtr<ITeskPayments> again = substitute_host::MakePayments(ThreePayments());
    Question second;
    Process(again.Get(), nullptr, AnswerTheQuestion(second, IDNO, Output()));
    const std::string written = ": written to " + Output() + " on " + Today() + "\r\n";
    EXPECT_NE(second.text.find("Payment 1 (20-32-06, 73004521, 1250.00, INV-20931)" + written), std::string::npos)
        << second.text;
    EXPECT_NE(second.text.find("Payment 2 (09-01-28, 11870342, 86.40, ACC 55012877)" + written), std::string::npos);
    EXPECT_NE(second.text.find("Payment 3 (40-12-76, 52630018, 3200.00, TAX RESERVE)" + written), std::string::npos);
}

TEST_F(ProcessRunTest, WithoutDuplicateDaysPaymentsMadeTwiceAreWrittenAsBeforeAndNoHistoryIsKept) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(ThreePaymentsAndTheFirstAgain());
    Question seen;
    EXPECT_EQ(Process(payments.Get(), nullptr, AnswerTheQuestion(seen, IDNO, Output())), S_OK);
    EXPECT_FALSE(seen.shown);
    EXPECT_TRUE(seen.saveShown);
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(FileLines(Output()).size(), 4u);
    for (const char* name : {"PAYMENTS.HST", "PAYMENTS.KEY", "PAYMENTS.LCK"}) EXPECT_FALSE(fs::exists(BesideSettings(name))) << name;
}

}  // namespace
