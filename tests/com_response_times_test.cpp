// How long the user waits, through the registered component and the substitute host: from the
// call to Process until the options dialog is on screen, from a Set or Reset on every row until
// the list shows the new marks, and how fast a large statement is imported. The figures are
// printed as "figure:" lines for bench/response_times.sh (make bench); no figure is held against a
// limit here, since a machine shared with other work can make any run slow.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/payment_dialog_ids.h"
#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/gui.h"
#include "tests/support/payment_run_user.h"
#include "tests/support/temp_dir.h"

using substitute_host::PaymentFields;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<PaymentFields> Payments(int count) {
    std::vector<PaymentFields> payments;
    for (int i = 0; i < count; ++i) {
        PaymentFields p;
        p.value = 10 + i % 5000 + (i % 100) / 100.0;
        p.payerBankSortCode = L"40-12-76";
        p.payerBankAccountNumber = L"41829374";
        p.payeeBankSortCode = L"20-32-06";
        p.payeeBankAccountNumber = std::to_wstring(73000000 + i);
        p.payeeBankAccountName = L"Oakridge Timber Supplies " + std::to_wstring(i);
        p.payeeBankBACSReference = L"INV-" + std::to_wstring(20000 + i);
        p.details = L"December invoice " + std::to_wstring(i) + L", timber and fixings";
        payments.push_back(std::move(p));
    }
    return payments;
}

// The visible options dialog, looked for more often than the tests' usual search does, so that
// the wait is not rounded up to its period.
HWND OptionsDialogOnScreen() {
    for (int waited = 0; waited < run_user::kDialogTimeoutMs; ++waited) {
        HWND dialog = ::FindWindowA("#32770", run_user::kOptionsCaption);
        if (dialog && ::IsWindowVisible(dialog)) {
            // Painted, not only shown: the dialog's thread paints whatever is still invalid.
            ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return dialog;
        }
        ::Sleep(1);
    }
    return nullptr;
}

// Selects every row, clicks `button` and waits until the list has painted the refilled rows.
double MarkEveryRow(HWND dialog, int button) {
    HWND list = ::GetDlgItem(dialog, IDC_PAYMENT_LIST);
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&selected));
    const Clock::time_point start = Clock::now();
    gui::Click(dialog, button);
    ::RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
    return MillisecondsSince(start);
}

struct DialogTimes {
    double open = 0, set = 0, reset = 0;
    std::string firstMark, lastMarkAfterReset;
    int rows = 0;
};

class ResponseTimesTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        substitute_host::SetExportLocation("pay", "txt", exports_.Path().string());
    }
    void TearDown() override { substitute_host::Reset(); }

    DialogTimes OpenMarkAndCancel(ITeskPayments* payments) {
        ComPtr<IBankPaymentService> service;
        EXPECT_EQ(::CoCreateInstance(CLSID_BankPaymentService, nullptr, CLSCTX_INPROC_SERVER, IID_IBankPaymentService,
                                     ReceiveAsVoid(service)),
                  S_OK);
        if (!service) return {};
        std::atomic<Clock::rep> called{0};
        DialogTimes times;
        run_user::WithUser(
            [&] {
                called = Clock::now().time_since_epoch().count();
                return service->Process(payments, nullptr);
            },
            [&] {
                HWND dialog = OptionsDialogOnScreen();
                if (!dialog) return;
                times.open = MillisecondsSince(Clock::time_point(Clock::duration(called.load())));
                HWND list = ::GetDlgItem(dialog, IDC_PAYMENT_LIST);
                times.rows = gui::ListRowCount(list);
                gui::Click(dialog, IDC_IAT_CHECK);
                times.set = MarkEveryRow(dialog, IDC_SET);
                times.firstMark = gui::ListCell(list, 0, 6);
                times.reset = MarkEveryRow(dialog, IDC_RESET);
                times.lastMarkAfterReset = gui::ListCell(list, times.rows - 1, 6);
                gui::PostClick(dialog, IDCANCEL);
                if (HWND question = gui::WaitForWindow("#32770", "Changes have been made")) gui::Answer(question, IDYES);
                gui::WaitUntilClosed(dialog);
            });
        return times;
    }

    TempDir exports_;
};

TEST_F(ResponseTimesTest, OptionsDialogWith8And4000Payments) {
    for (const int count : {8, 4000}) {
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(Payments(count));
        std::vector<double> open, set, reset;
        for (int run = 0; run < kRuns; ++run) {
            substitute_host::Reset();
            substitute_host::SetExportLocation("pay", "txt", exports_.Path().string());
            const DialogTimes times = OpenMarkAndCancel(payments.Get());
            ASSERT_EQ(times.rows, count);
            EXPECT_EQ(times.firstMark, "Yes");
            EXPECT_EQ(times.lastMarkAfterReset, "No");
            open.push_back(times.open);
            set.push_back(times.set);
            reset.push_back(times.reset);
        }
        std::printf("figure: dialog payments=%d open_ms=%.0f set_ms=%.0f reset_ms=%.0f (median of %d)\n", count,
                    Median(open), Median(set), Median(reset), kRuns);
    }
}

// ---- the statement import

// A long-layout line like those of bench/statement.sh: four accounts in turn, quoted texts with
// commas, a debit on two lines of three.
std::string StatementLine(int i) {
    static const char* const kAccounts[][2] = {
        {"123456", "12345678"}, {"123456", "87654321"}, {"654321", "12345678"}, {"112233", "44556677"}};
    static const char* const kPayees[] = {"TESCO STORES 2231", "Smith, J & Co", "HMRC PAYE, REF 123/AB45678",
                                          "British Gas, Dual Fuel", "Council Tax, Bath & NE Somerset",
                                          "Amazon Marketplace", "Salary, Varrow Ltd"};
    const auto& account = kAccounts[i % 4];
    const int day = 1 + i % 28, month = 1 + i / 28 % 12;
    const int pence = i * 7919 % 250000;
    char amount[32];
    if (pence >= 100000) {
        std::snprintf(amount, sizeof amount, "\"%d,%03d.%02d\"", pence / 100000, pence / 100 % 1000, pence % 100);
    } else {
        std::snprintf(amount, sizeof amount, "\"%d.%02d\"", pence / 100, pence % 100);
    }
    const bool debit = i % 3 != 0;
    const char* kind = i % 17 == 0 ? "CHQ" : debit ? "DD" : "BGC";
    char line[512];
    std::snprintf(line, sizeof line,
                  "%s,%s,\"Household, joint\",J SMITH & A SMITH,GBP,Current Account,VARRGB22XXX,Varrow Bank plc,"
                  "\"Quidlane, Bath\",%02d/%02d/2023,\"%s\",\"Ref %08d, batch 7\",\"Posted %02d/%02d\",,,%s,%s,%s\n",
                  account[0], account[1], day, month, kPayees[i % 7], i, day, month, kind, debit ? amount : "",
                  debit ? "" : amount);
    return line;
}

TEST_F(ResponseTimesTest, ImportOfATwentyMegabyteStatement) {
    std::string content =
        "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
        "Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit\n";
    for (int i = 0; content.size() < 20 * 1000 * 1000; ++i) content += StatementLine(i);
    const std::string path = exports_.Write("statement.csv", content);
    ComPtr<IBankStatementService> service;
    ASSERT_EQ(::CoCreateInstance(CLSID_BankStatementService, nullptr, CLSCTX_INPROC_SERVER, IID_IBankStatementService,
                                 ReceiveAsVoid(service)),
              S_OK);
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
    std::vector<double> times;
    LONG added = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto list = substitute_host::MakeStatementTransactions();
        substitute_host::SetChooserAnswer(0, com_test::Widen(path));
        const substitute_host::RecordingPaused quiet;  // the host's own bookkeeping is not what is measured
        const Clock::time_point start = Clock::now();
        ASSERT_EQ(service->ImportStatement(filter.Get(), list.Get()), S_OK);
        times.push_back(MillisecondsSince(start));
        list->get_Count(&added);
    }
    EXPECT_EQ(added, static_cast<LONG>(std::count(content.begin(), content.end(), '\n') - 1 + 3) / 4);
    const double ms = Median(times);
    std::printf("figure: import megabytes=%.1f transactions=%ld ms=%.0f mb_per_s=%.0f (median of %d)\n",
                content.size() / 1e6, static_cast<long>(added), ms, content.size() / 1e3 / ms, kRuns);
}

}  // namespace
