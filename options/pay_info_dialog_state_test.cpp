#include "options/pay_info_dialog_state.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "common/ole_date.h"
#include "options/calendar.h"
#include "payments/memory_payment.h"
#include "platform/hook.h"
#include "platform/local_clock.h"

namespace {

double Date(int year, int month, int day) { return *ToOleDate({year, month, day}); }

// Today is Monday 7 December 2026, 10:30; every message box is recorded and answered.
class PayInfoDialogStateTest : public ::testing::Test {
protected:
    PayInfoDialogStateTest() : payments(std::vector<PaymentRecord>(4)) {}

    std::vector<std::int32_t> Statuses() const {
        std::vector<std::int32_t> statuses;
        for (const auto& record : payments.Records()) statuses.push_back(record.Status);
        return statuses;
    }

    MemoryPayments payments;
    std::vector<platform::MessageBoxRequest> shown;
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;
    platform::ScopedHook<CivilDateTime()> clock{platform::LocalTimeHook(),
                                                [] { return CivilDateTime{{2026, 12, 7}, 10, 30, 0}; }};
    platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> messages{
        platform::MessageBoxHook(), [this](const platform::MessageBoxRequest& request) {
            shown.push_back(request);
            return answer;
        }};
    PayInfoDialogState state{payments, "RENT-Q1", "INV 42"};
};

TEST_F(PayInfoDialogStateTest, OpensOnStandardDomesticWithBothBoxesEmpty) {
    EXPECT_EQ(state.Format(), PaymentFormat::StandardDomestic);
    EXPECT_TRUE(state.TemplateBoxText().IsEmpty());
    EXPECT_TRUE(state.BeneficiaryReferenceBoxText().IsEmpty());
    EXPECT_TRUE(state.Rules().iatMarkingAllowed);
    EXPECT_FALSE(state.ChangesMade());
}

TEST_F(PayInfoDialogStateTest, EachFormatOffersItsBoxes) {
    struct Row {
        PaymentFormat format;
        const char* templateText;
        const char* beneficiaryText;
        bool iat;
        unsigned help;
    } rows[] = {
        {PaymentFormat::DomesticTemplate, "RENT-Q1", "", true, 404},
        {PaymentFormat::BulkList, "RENT-Q1", "INV 42", false, 405},
        {PaymentFormat::AdHocBulk, "", "INV 42", false, 406},
        {PaymentFormat::StandardDomestic, "", "", true, 403},
    };
    for (const auto& row : rows) {
        state.SelectFormat(row.format);
        EXPECT_EQ(state.TemplateBoxText(), row.templateText) << static_cast<int>(row.format);
        EXPECT_EQ(state.BeneficiaryReferenceBoxText(), row.beneficiaryText) << static_cast<int>(row.format);
        EXPECT_EQ(state.Rules().iatMarkingAllowed, row.iat) << static_cast<int>(row.format);
        EXPECT_EQ(state.Rules().helpTextId, row.help) << static_cast<int>(row.format);
    }
}

TEST_F(PayInfoDialogStateTest, OnlyADifferentFormatOrDateIsAChange) {
    state.StartAt(CurrentLocalDate());
    state.SelectFormat(PaymentFormat::StandardDomestic);
    state.DateChanged(state.ProcessingDate());
    EXPECT_FALSE(state.ChangesMade());
    state.SelectFormat(PaymentFormat::BulkList);
    EXPECT_TRUE(state.ChangesMade());

    PayInfoDialogState other(payments, "", "");
    other.StartAt(CurrentLocalDate());
    other.DateChanged(other.ProcessingDate() + 1);
    EXPECT_TRUE(other.ChangesMade());
}

TEST_F(PayInfoDialogStateTest, StartsAtTheNextAvailableProcessingDate) {
    state.StartAt(CurrentLocalDate());
    EXPECT_EQ(state.ProcessingDate(), NextAvailableProcessingDate(CurrentLocalDate()));
    EXPECT_EQ(static_cast<long long>(state.ProcessingDate()), static_cast<long long>(Date(2026, 12, 9)));
}

// The list the run read reaches both the default date and the check on OK.
TEST_F(PayInfoDialogStateTest, JudgesItsDatesWithTheListedDays) {
    std::istringstream text("2026-12-09 closed\n");
    PayInfoDialogState listed(payments, "", "", HolidayList::Parse(text, "HOLIDAYS.TXT"));
    listed.StartAt(CurrentLocalDate());
    EXPECT_EQ(static_cast<long long>(listed.ProcessingDate()), static_cast<long long>(Date(2026, 12, 10)));
    listed.DateChanged(Date(2026, 12, 9));
    EXPECT_FALSE(listed.Confirm(nullptr, "", ""));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Non-Banking Date Specified");
}

TEST_F(PayInfoDialogStateTest, SetAndResetMarkTheSelectedPayments) {
    EXPECT_FALSE(state.MarkSelected({}, true));
    EXPECT_FALSE(state.ChangesMade());
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0, 0}));

    EXPECT_TRUE(state.MarkSelected({0, 2}, true));
    EXPECT_TRUE(state.ChangesMade());
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{1, 0, 1, 0}));
    EXPECT_TRUE(state.MarkSelected({2}, false));
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{1, 0, 0, 0}));
}

TEST_F(PayInfoDialogStateTest, SwitchingToABulkFormatKeepsTheMarks) {
    state.MarkSelected({1}, true);
    state.SelectFormat(PaymentFormat::AdHocBulk);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 1, 0, 0}));
}

TEST_F(PayInfoDialogStateTest, CancelWithoutChangesClearsEveryMarkWithoutAsking) {
    payments.Records()[3].Status = 23;  // left over from an earlier run: counts as a mark
    EXPECT_TRUE(state.Cancel(nullptr));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

TEST_F(PayInfoDialogStateTest, CancelAfterAChangeAsksFirst) {
    state.MarkSelected({0, 2}, true);
    answer = platform::MessageAnswer::No;
    int owner = 0;
    EXPECT_FALSE(state.Cancel(&owner));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Do you wish to ignore these changes?");
    EXPECT_EQ(shown[0].caption, "Changes have been made");
    EXPECT_EQ(shown[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(shown[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(shown[0].owner, &owner);
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{1, 0, 1, 0}));

    answer = platform::MessageAnswer::Yes;
    EXPECT_TRUE(state.Cancel(&owner));
    EXPECT_EQ(Statuses(), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

struct ConfirmRow {
    const char* name;
    double date;
    const char* caption;  // nullptr: accepted
    const char* text;
};

TEST_F(PayInfoDialogStateTest, OkChecksTheDateInOrder) {
    const ConfirmRow rows[] = {
        {"today, a banking day", Date(2026, 12, 7), nullptr, nullptr},
        {"45 days ahead", Date(2027, 1, 21), nullptr, nullptr},
        {"yesterday", Date(2026, 12, 6), "Invalid Banking Date Specified",
         "The processing date you specify for payments MUST be on or after the current system date."},
        {"a Saturday", Date(2026, 12, 12), "Non-Banking Date Specified",
         "The date you specified falls on a weekend. Try advancing the date \r\n2 days to the next likely Banking Day."},
        {"Christmas Day, a Friday", Date(2026, 12, 25), "Non-Banking Date Specified",
         "The date you specified falls on a Bank holiday. Try advancing the date \r\n4 days to the next likely Banking "
         "Day."},
        {"46 days ahead", Date(2027, 1, 22), "Invalid Processing Date Specified",
         "The processing date specified is too far in the future.\rProcessing dates can be at most 45 days after "
         "today's date."},
    };
    for (const auto& row : rows) {
        shown.clear();
        state.DateChanged(row.date);
        const bool accepted = state.Confirm(nullptr, "", "");
        EXPECT_EQ(accepted, row.caption == nullptr) << row.name;
        if (row.caption) {
            ASSERT_EQ(shown.size(), 1u) << row.name;
            EXPECT_EQ(shown[0].caption, row.caption) << row.name;
            EXPECT_EQ(shown[0].text, row.text) << row.name;
        } else {
            EXPECT_TRUE(shown.empty()) << row.name;
        }
    }
}

TEST_F(PayInfoDialogStateTest, OptionsCarryTheConfirmedBoxesOfTheFormat) {
    state.DateChanged(Date(2026, 12, 8) + 0.25);
    state.SelectFormat(PaymentFormat::BulkList);
    ASSERT_TRUE(state.Confirm(nullptr, "TEMPLATE-NAME-LONGER-THAN-20", "BENEFICIARY-REF-LONGER"));
    const PaymentOptions options = state.Options();
    EXPECT_EQ(options.format, PaymentFormat::BulkList);
    EXPECT_EQ(options.processingDate, Date(2026, 12, 8) + 0.25);
    EXPECT_EQ(options.templateName, "TEMPLATE-NAME-LONGER");
    EXPECT_EQ(options.beneficiaryReference, "BENEFICIARY-REF-LO");
}

TEST_F(PayInfoDialogStateTest, StandardDomesticHandsBackEmptyTexts) {
    state.DateChanged(Date(2026, 12, 8));
    ASSERT_TRUE(state.Confirm(nullptr, "typed", "typed"));
    EXPECT_TRUE(state.Options().templateName.IsEmpty());
    EXPECT_TRUE(state.Options().beneficiaryReference.IsEmpty());
}

}  // namespace
