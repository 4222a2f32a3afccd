#pragma once
#include <cstdint>
#include <vector>

#include "common/cstring.h"
#include "options/holiday_list.h"
#include "options/payment_list_rows.h"
#include "options/payment_options.h"
#include "payments/payment.h"
#include "platform/message_box.h"

// The payment options dialog's own rules, apart from any window: which format is chosen and what
// it enables, what counts as a change, the IAT marks it writes into the payments, the checks on OK
// and what Cancel undoes. The window shows this state and reports the user's actions to it.
class PayInfoDialogState {
public:
    // The payments stay the caller's; the texts are the values the boxes offer; the dates are
    // judged by the calendar with the days `listed`.
    PayInfoDialogState(Payments& payments, CString templateName, CString beneficiaryReference,
                       HolidayList listed = HolidayList());

    // The default processing date: the next available one after `now`.
    void StartAt(double now);

    PaymentFormat Format() const { return format_; }
    const PaymentFormatInfo& Rules() const { return FormatInfo(format_); }
    void SelectFormat(PaymentFormat format);

    double ProcessingDate() const { return processingDate_; }
    void DateChanged(double date);

    // The text a box shows under the current format: the offered value, or empty text while the
    // format disables the box.
    CString TemplateBoxText() const;
    CString BeneficiaryReferenceBoxText() const;

    // The payment list as it stands now.
    std::vector<PaymentListRow> Rows() const { return PaymentListRows(payments_); }
    // The same list row by row: the payments it shows, then the cells of one of them when shown.
    std::vector<std::int32_t> ListedPayments() const { return ::ListedPayments(payments_); }
    PaymentListRow RowAt(std::int32_t paymentIndex) const { return PaymentListRowAt(payments_, paymentIndex); }

    // Set (mark true) or Reset on the payments with these indexes, in order. Nothing happens, and
    // false comes back, when none is selected.
    bool MarkSelected(const std::vector<std::int32_t>& paymentIndexes, bool mark);

    // OK: the date checks in order, each refusing with its message owned by `owner`; on success
    // keeps the boxes' texts (cut to 20 and 18 characters) and returns true.
    bool Confirm(platform::WindowHandle owner, const CString& templateText, const CString& beneficiaryText);

    // Cancel: after a change, asks whether to ignore it; unless the answer is Yes the dialog stays
    // (false). Then clears every payment's IAT mark and returns true.
    bool Cancel(platform::WindowHandle owner);

    // The dialog ends because of a failure of its own: that counts as a cancel, so no mark set in it
    // may survive, but nobody is asked.
    void Abandon() { ClearEveryMark(); }

    bool ChangesMade() const { return changesMade_; }

    // What the payment run reads back after OK.
    PaymentOptions Options() const;

private:
    void ClearEveryMark();

    Payments& payments_;
    HolidayList listed_;
    bool changesMade_ = false;
    double processingDate_ = 0;
    PaymentFormat format_ = PaymentFormat::StandardDomestic;
    CString offeredTemplate_;
    CString offeredBeneficiaryReference_;
    CString confirmedTemplate_;
    CString confirmedBeneficiaryReference_;
};
