// The real options dialog, shown from the test's own module and worked through its controls.
#include "options/win32/pay_info_dialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <stdexcept>

#include "common/ole_date.h"
#include "options/calendar.h"
#include "payments/memory_payment.h"
#include "platform/hook.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "resources/payment_dialog_ids.h"
#include "tests/support/gui.h"

namespace {

const char kCaption[] = "Tesk Varrow Online Payment Processing";

PaymentRecord Payee(const char16_t* sortCode, const char16_t* name, double value) {
    PaymentRecord r;
    r.PayeeBankSortCode = sortCode;
    r.PayeeBankAccountNumber = u"87654321";
    r.PayeeBankAccountName = name;
    r.PayeeBankBACSReference = u"INV 42";
    r.Details = u"December";
    r.Value = value;
    return r;
}

// Today is Monday 7 December 2026 at 10:30.
class PayInfoDialogTest : public ::testing::Test {
protected:
    INT_PTR Run(const std::function<void(HWND)>& user) {
        return gui::RunWithUser("#32770", kCaption, [&] { return dialog.DoModal(nullptr); }, user);
    }

    std::vector<std::int32_t> Statuses() const {
        std::vector<std::int32_t> statuses;
        for (const auto& record : payments.Records()) statuses.push_back(record.Status);
        return statuses;
    }

    platform::ScopedHook<CivilDateTime()> clock{platform::LocalTimeHook(),
                                                [] { return CivilDateTime{{2026, 12, 7}, 10, 30, 0}; }};
    MemoryPayments payments{{Payee(u"20-00-00", u"J. Smith & Co", 1234.5), Payee(u"40-11-22", u"Acme Ltd", -3),
                             Payee(u"60-70-80", u"Bloggs", 10)}};
    CPayInfoDialog dialog{payments, "RENT-Q1", "INV 42"};
};

TEST_F(PayInfoDialogTest, OpensOnStandardDomesticWithMarkingOff) {
    payments.Records()[1].Status = 1;
    const INT_PTR result = Run([&](HWND d) {
        EXPECT_TRUE(gui::IsChecked(d, IDC_STANDARD_DOMESTIC));
        EXPECT_EQ(gui::ItemText(d, IDC_FORMAT_HELP),
                  "This option produces Standard Domestic(BACS) and Inter Account Transfer (IAT) Payments.");
        EXPECT_FALSE(gui::IsEnabled(d, IDC_TEMPLATE));
        EXPECT_FALSE(gui::IsEnabled(d, IDC_TEMPLATE_LABEL));
        EXPECT_EQ(gui::ItemText(d, IDC_TEMPLATE), "");
        EXPECT_FALSE(gui::IsEnabled(d, IDC_BENEFICIARY_REFERENCE));
        EXPECT_EQ(gui::ItemText(d, IDC_BENEFICIARY_REFERENCE), "");
        EXPECT_TRUE(gui::IsEnabled(d, IDC_IAT_CHECK));
        EXPECT_FALSE(gui::IsChecked(d, IDC_IAT_CHECK));
        for (int id : {IDC_PAYMENT_LIST, IDC_SET, IDC_RESET}) EXPECT_FALSE(gui::IsEnabled(d, id)) << id;
        EXPECT_NE(::SendMessageA(d, WM_GETICON, ICON_BIG, 0), 0);

        const SYSTEMTIME shown = gui::PickerDate(::GetDlgItem(d, IDC_PROCESSING_DATE));
        EXPECT_EQ(shown.wDay, 9);  // Wednesday, the second working day after Monday
        EXPECT_EQ(shown.wMonth, 12);

        HWND list = ::GetDlgItem(d, IDC_PAYMENT_LIST);
        ASSERT_EQ(gui::ListRowCount(list), 3);
        const char* row0[] = {"20-00-00", "87654321", "J. Smith & Co", "1234.50", "INV 42", "December", "No"};
        for (int column = 0; column < 7; ++column) EXPECT_EQ(gui::ListCell(list, 0, column), row0[column]) << column;
        EXPECT_EQ(gui::ListCell(list, 1, 3), "-3.00");
        EXPECT_EQ(gui::ListCell(list, 1, 6), "Yes");
        gui::PostClick(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0}));  // Cancel clears every mark
}

struct FormatRow {
    int button;
    const char* templateText;
    const char* beneficiaryText;
    bool iat;
    const char* picture;
};

TEST_F(PayInfoDialogTest, EachFormatEnablesItsBoxes) {
    const FormatRow rows[] = {
        {IDC_DOMESTIC_TEMPLATE, "RENT-Q1", "", true, "domestic-template"},
        {IDC_BULK_LIST, "RENT-Q1", "INV 42", false, "bulk-list"},
        {IDC_AD_HOC_BULK, "", "INV 42", false, "ad-hoc-bulk"},
        {IDC_STANDARD_DOMESTIC, "", "", true, "standard-domestic"},
    };
    Run([&](HWND d) {
        gui::Click(d, IDC_IAT_CHECK);
        for (const auto& row : rows) {
            gui::Click(d, row.button);
            EXPECT_EQ(gui::ItemText(d, IDC_TEMPLATE), row.templateText) << row.picture;
            EXPECT_EQ(gui::IsEnabled(d, IDC_TEMPLATE), *row.templateText != 0) << row.picture;
            EXPECT_EQ(gui::ItemText(d, IDC_BENEFICIARY_REFERENCE), row.beneficiaryText) << row.picture;
            EXPECT_EQ(gui::IsEnabled(d, IDC_BENEFICIARY_REFERENCE), *row.beneficiaryText != 0) << row.picture;
            EXPECT_EQ(gui::IsEnabled(d, IDC_IAT_CHECK), row.iat) << row.picture;
            EXPECT_EQ(gui::IsEnabled(d, IDC_IAT_EXPLANATION), row.iat) << row.picture;
            if (!row.iat) {
                EXPECT_FALSE(gui::IsChecked(d, IDC_IAT_CHECK)) << row.picture;
                EXPECT_FALSE(gui::IsEnabled(d, IDC_PAYMENT_LIST)) << row.picture;
            }
            gui::SaveScreenshot(d, std::string(VARROW_BUILD_DIR "/payment-options-") + row.picture + ".png");
        }
        gui::PostClick(d, IDCANCEL);
        if (HWND question = gui::WaitForWindow("#32770", "Changes have been made")) gui::Answer(question, IDYES);
    });
}

TEST_F(PayInfoDialogTest, TypedTextIsReplacedWhenTheFormatChanges) {
    Run([&](HWND d) {
        gui::Click(d, IDC_DOMESTIC_TEMPLATE);
        gui::SetItemText(d, IDC_TEMPLATE, "typed");
        gui::Click(d, IDC_BULK_LIST);
        EXPECT_EQ(gui::ItemText(d, IDC_TEMPLATE), "RENT-Q1");
        gui::SetItemText(d, IDC_TEMPLATE, "MY TEMPLATE");
        gui::SetItemText(d, IDC_BENEFICIARY_REFERENCE, "MY REF");
        gui::PostClick(d, IDOK);
    });
    const PaymentOptions options = dialog.Options();
    EXPECT_EQ(options.format, PaymentFormat::BulkList);
    EXPECT_EQ(options.templateName, "MY TEMPLATE");
    EXPECT_EQ(options.beneficiaryReference, "MY REF");
}

TEST_F(PayInfoDialogTest, SetAndResetMarkTheSelectedPayments) {
    const INT_PTR result = Run([&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_PAYMENT_LIST);
        gui::Click(d, IDC_SET);  // list disabled, nothing selected: nothing happens
        gui::Click(d, IDC_IAT_CHECK);
        EXPECT_TRUE(gui::IsEnabled(d, IDC_PAYMENT_LIST));
        EXPECT_TRUE(gui::IsEnabled(d, IDC_SET));
        gui::SelectListRows(list, {0, 2});
        gui::Click(d, IDC_SET);
        EXPECT_EQ(gui::ListCell(list, 0, 6), "Yes");
        EXPECT_EQ(gui::ListCell(list, 1, 6), "No");
        EXPECT_EQ(gui::ListCell(list, 2, 6), "Yes");
        gui::SelectListRows(list, {2});
        gui::Click(d, IDC_RESET);
        EXPECT_EQ(gui::ListCell(list, 2, 6), "No");
        gui::Click(d, IDC_IAT_CHECK);  // unticking keeps the marks
        EXPECT_FALSE(gui::IsEnabled(d, IDC_PAYMENT_LIST));
        gui::PostClick(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{1, 0, 0}));
}

struct RefusalRow {
    int year, month, day;
    const char* caption;
    const char* text;
};

TEST_F(PayInfoDialogTest, OkRefusesABadDateAndStaysOpen) {
    const RefusalRow rows[] = {
        {2026, 12, 6, "Invalid Banking Date Specified",
         "The processing date you specify for payments MUST be on or after the current system date."},
        {2026, 12, 12, "Non-Banking Date Specified",
         "The date you specified falls on a weekend. Try advancing the date \r\n2 days to the next likely Banking Day."},
        {2027, 1, 22, "Invalid Processing Date Specified",
         "The processing date specified is too far in the future.\rProcessing dates can be at most 45 days after "
         "today's date."},
    };
    const INT_PTR result = Run([&](HWND d) {
        HWND picker = ::GetDlgItem(d, IDC_PROCESSING_DATE);
        for (const auto& row : rows) {
            gui::SetPickerDate(picker, row.year, row.month, row.day);
            gui::PostClick(d, IDOK);
            HWND box = gui::WaitForWindow("#32770", row.caption);
            ASSERT_NE(box, nullptr) << row.caption;
            EXPECT_EQ(gui::MessageBoxText(box), row.text) << row.caption;
            EXPECT_EQ(::GetWindow(box, GW_OWNER), d) << row.caption;
            gui::Answer(box, IDOK);
            EXPECT_TRUE(::IsWindowVisible(d)) << row.caption;
        }
        gui::SetPickerDate(picker, 2026, 12, 7);
        gui::PostClick(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    const auto chosen = FromOleDate(dialog.Options().processingDate);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->day, 7);
}

TEST_F(PayInfoDialogTest, CancelAfterAChangeAsksAndNoKeepsTheDialog) {
    const INT_PTR result = Run([&](HWND d) {
        gui::Click(d, IDC_IAT_CHECK);
        gui::SelectListRows(::GetDlgItem(d, IDC_PAYMENT_LIST), {1});
        gui::Click(d, IDC_SET);
        gui::PostClick(d, IDCANCEL);
        HWND question = gui::WaitForWindow("#32770", "Changes have been made");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(gui::MessageBoxText(question), "Do you wish to ignore these changes?");
        gui::Answer(question, IDNO);
        EXPECT_TRUE(::IsWindowVisible(d));
        EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 1, 0}));
        gui::PostClick(d, IDCANCEL);
        question = gui::WaitForWindow("#32770", "Changes have been made");
        ASSERT_NE(question, nullptr);
        gui::Answer(question, IDYES);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(PayInfoDialogTest, AnInternalFailureEndsItAsCancelledWithoutTheMarksSetInIt) {
    const platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> failingBox(
        platform::MessageBoxHook(),
        [](const platform::MessageBoxRequest&) -> platform::MessageAnswer { throw std::runtime_error("no window"); });
    const INT_PTR result = Run([&](HWND d) {
        gui::Click(d, IDC_IAT_CHECK);
        gui::SelectListRows(::GetDlgItem(d, IDC_PAYMENT_LIST), {0, 2});
        gui::Click(d, IDC_SET);
        // A date before today: OK's refusal needs a message box, which fails.
        gui::SetPickerDate(::GetDlgItem(d, IDC_PROCESSING_DATE), 2026, 12, 6);
        gui::PostClick(d, IDOK);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0}));
}

}  // namespace
