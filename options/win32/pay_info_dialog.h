#pragma once
#include <optional>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "common/cstring.h"
#include "options/pay_info_dialog_state.h"
#include "options/payment_options.h"
#include "payments/payment.h"
#include "platform/win32/unique_handles.h"

// The payment options dialog (resource 1001): the window over PayInfoDialogState.
class CPayInfoDialog {
public:
    // Loads the common controls for the date picker. The payments stay the caller's and must
    // outlive the dialog; the dates are judged with the days `listed`.
    CPayInfoDialog(Payments& payments, CString templateName, CString beneficiaryReference,
                   HolidayList listed = HolidayList());
    CPayInfoDialog(const CPayInfoDialog&) = delete;
    CPayInfoDialog& operator=(const CPayInfoDialog&) = delete;

    // Shows the dialog modally over `owner`: IDOK (1), IDCANCEL (2), or -1 when it could not be made.
    INT_PTR DoModal(HWND owner);

    // What the user confirmed; meaningful after DoModal returned IDOK.
    PaymentOptions Options() const { return state_.Options(); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id);
    void OnDateChanged(const SYSTEMTIME& picked);

    void CentreOverOwner();
    void SetIcon();
    void AddColumns();
    void FillList();
    void ShowCellText(NMLVDISPINFOA& cell);
    void ShowCellText(NMLVDISPINFOW& cell);
    // Empty for a row or column the list does not have. Reads the row's payment the first time.
    const std::string& CellTextOf(int row, int column);
    void ApplyFormatRules();
    void ShowHelpText(unsigned stringId);
    void EnableMarking(bool enabled);
    void SelectFormat(PaymentFormat format);
    void MarkSelectedRows(bool mark);
    void ShowDefaultDate();
    void Confirm();
    void CancelDialog();
    CString ControlText(int id, int limit) const;

    HWND window_ = nullptr;
    UniqueModule commonControls_;
    PayInfoDialogState state_;
    HWND list_ = nullptr;
    HWND listHeader_ = nullptr;
    int rowCount_ = 0;
    // The payment of each row of the list, and the row's texts once read: the list holds no rows of
    // its own (owner data) and asks for the cells it draws, so only the rows seen are read.
    std::vector<std::int32_t> rowPayments_;
    std::vector<std::optional<PaymentListRow>> rows_;
    bool shown_ = false;  // set up and in the user's hands
};
