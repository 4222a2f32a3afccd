#include "options/win32/pay_info_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "common/ole_date.h"
#include "options/calendar.h"
#include "platform/code_page.h"
#include "platform/string_resource.h"
#include "platform/win32/module.h"
#include "platform/win32/system_time.h"
#include "resources/payment_dialog_ids.h"

namespace {

constexpr DWORD kDateClasses = 0x100;  // ICC_DATE_CLASSES

struct Column {
    const char* heading;
    int width;
    int format;
};

constexpr Column kColumns[] = {
    {"Sort Code", 65, LVCFMT_LEFT}, {"Acc. Number", 80, LVCFMT_LEFT}, {"Name", 95, LVCFMT_LEFT},
    {"Amount", 70, LVCFMT_RIGHT},   {"Reference", 90, LVCFMT_LEFT},   {"Details", 110, LVCFMT_LEFT},
    {"Is IAT", 50, LVCFMT_LEFT},
};

// Each column's text in a row, in the order of kColumns.
constexpr std::string PaymentListRow::*kCellTexts[] = {
    &PaymentListRow::sortCode,  &PaymentListRow::accountNumber, &PaymentListRow::name,  &PaymentListRow::amount,
    &PaymentListRow::reference, &PaymentListRow::details,       &PaymentListRow::isIat,
};
static_assert(std::size(kCellTexts) == std::size(kColumns));

UniqueModule LoadCommonControls() {
    UniqueModule library(::LoadLibraryA("comctl32.dll"));
    if (!library) return library;
    using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (const auto init = reinterpret_cast<InitProc>(
            reinterpret_cast<void*>(::GetProcAddress(library.Get(), "InitCommonControlsEx")))) {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), kDateClasses};
        init(&classes);
    }
    return library;
}

// The rectangle to centre in: the owner's, or the work area when the owner is hidden or minimised.
RECT CentringArea(HWND owner, const RECT& workArea) {
    RECT area = workArea;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &area);
    return area;
}

}  // namespace

CPayInfoDialog::CPayInfoDialog(Payments& payments, CString templateName, CString beneficiaryReference,
                               HolidayList listed)
    : commonControls_(LoadCommonControls()),
      state_(payments, std::move(templateName), std::move(beneficiaryReference), std::move(listed)) {}

INT_PTR CPayInfoDialog::DoModal(HWND owner) {
    return ::DialogBoxParamA(platform::ModuleInstance(), MAKEINTRESOURCEA(IDD_PAYMENT_OPTIONS), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CPayInfoDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may cross the window system's frames: a failure ends the dialog as one that
    // could not be shown, which the payment run treats as a cancel. Once the user could set marks,
    // they go as with Cancel.
    CPayInfoDialog* dialog = nullptr;
    try {
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<CPayInfoDialog*>(lParam);
            ::SetWindowLongPtrA(window, DWLP_USER, lParam);
            dialog->window_ = window;
            dialog->OnInitDialog();
            dialog->shown_ = true;
            return TRUE;
        }
        dialog = reinterpret_cast<CPayInfoDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
        return dialog ? dialog->OnMessage(message, wParam, lParam) : FALSE;
    } catch (...) {
        if (dialog && dialog->shown_) dialog->state_.Abandon();
        ::EndDialog(window, -1);
        return TRUE;
    }
}

INT_PTR CPayInfoDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Told apart by control id alone, whatever the notification.
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == DTN_DATETIMECHANGE) {
                OnDateChanged(reinterpret_cast<const NMDATETIMECHANGE*>(lParam)->st);
                return TRUE;
            }
            if (header->hwndFrom == list_ && header->code == LVN_GETDISPINFOA) {
                ShowCellText(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
                return TRUE;
            }
            if (header->hwndFrom == list_ && header->code == LVN_GETDISPINFOW) {
                ShowCellText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return TRUE;
            }
            return FALSE;
        }
        case WM_CTLCOLORSTATIC:
            // The help text is drawn over the dialog's own background, so a shorter text leaves
            // nothing of a longer one behind.
            if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(window_, IDC_FORMAT_HELP)) {
                ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<INT_PTR>(::GetStockObject(HOLLOW_BRUSH));
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void CPayInfoDialog::OnInitDialog() {
    CentreOverOwner();
    SetIcon();
    list_ = ::GetDlgItem(window_, IDC_PAYMENT_LIST);
    listHeader_ = reinterpret_cast<HWND>(::SendMessageA(list_, LVM_GETHEADER, 0, 0));
    AddColumns();
    FillList();
    ::SendDlgItemMessageA(window_, IDC_BENEFICIARY_REFERENCE, EM_LIMITTEXT, kBeneficiaryReferenceLimit, 0);
    ::SendDlgItemMessageA(window_, IDC_TEMPLATE, EM_LIMITTEXT, kTemplateNameLimit, 0);
    ::CheckDlgButton(window_, state_.Rules().radioButtonId, BST_CHECKED);
    ApplyFormatRules();
    EnableMarking(false);
    ShowDefaultDate();
}

void CPayInfoDialog::OnCommand(int id) {
    for (const auto& format : kPaymentFormats) {
        if (id == format.radioButtonId) return SelectFormat(format.format);
    }
    switch (id) {
        case IDC_IAT_CHECK: return EnableMarking(::IsDlgButtonChecked(window_, IDC_IAT_CHECK) == BST_CHECKED);
        case IDC_SET: return MarkSelectedRows(true);
        case IDC_RESET: return MarkSelectedRows(false);
        case IDOK: return Confirm();
        case IDCANCEL: return CancelDialog();
        default: return;
    }
}

void CPayInfoDialog::OnDateChanged(const SYSTEMTIME& picked) {
    const CivilDateTime date = platform::FromSystemTime(picked);
    if (const auto ole = ToOleDate(date, date.hour, date.minute, date.second)) state_.DateChanged(*ole);
}

void CPayInfoDialog::CentreOverOwner() {
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT area = CentringArea(::GetWindow(window_, GW_OWNER), workArea);
    RECT self{};
    ::GetWindowRect(window_, &self);
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    LONG left = (area.left + area.right - width) / 2;
    LONG top = (area.top + area.bottom - height) / 2;
    left = std::max(workArea.left, std::min(left, workArea.right - width));
    top = std::max(workArea.top, std::min(top, workArea.bottom - height));
    ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPayInfoDialog::SetIcon() {
    if (HICON icon = ::LoadIconA(platform::ModuleInstance(), MAKEINTRESOURCEA(IDI_VARROW))) {
        ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void CPayInfoDialog::AddColumns() {
    const auto styles = ::SendMessageA(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    ::SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const auto& column : kColumns) {
        LVCOLUMNA lvColumn{};
        lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvColumn.fmt = column.format;
        lvColumn.cx = column.width;
        lvColumn.pszText = const_cast<char*>(column.heading);
        lvColumn.iSubItem = index;
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&lvColumn));
    }
}

void CPayInfoDialog::FillList() {
    // The list is owner data: it holds a count, and asks for the texts of the cells it draws
    // (LVN_GETDISPINFO). Reading every payment's seven properties from the host and inserting a
    // row for each kept the user waiting in proportion to the payments; now the wait is for those
    // on screen. Emptying it first clears the selection, as a refill does.
    ::SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    rowPayments_ = state_.ListedPayments();
    rows_.assign(rowPayments_.size(), std::nullopt);
    rowCount_ = static_cast<int>(rowPayments_.size());
    ::SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rowCount_), LVSICF_NOSCROLL);
}

void CPayInfoDialog::ShowCellText(NMLVDISPINFOA& cell) {
    LVITEMA& item = cell.item;
    if ((item.mask & LVIF_PARAM) && item.iItem >= 0 && item.iItem < rowCount_) {
        item.lParam = rowPayments_[static_cast<std::size_t>(item.iItem)];  // the row's item data
    }
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    ::lstrcpynA(item.pszText, CellTextOf(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
}

void CPayInfoDialog::ShowCellText(NMLVDISPINFOW& cell) {
    LVITEMW& item = cell.item;
    if ((item.mask & LVIF_PARAM) && item.iItem >= 0 && item.iItem < rowCount_) {
        item.lParam = rowPayments_[static_cast<std::size_t>(item.iItem)];
    }
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    const std::u16string text = platform::AnsiToWide(CellTextOf(item.iItem, item.iSubItem));
    ::lstrcpynW(item.pszText, reinterpret_cast<const wchar_t*>(text.c_str()), item.cchTextMax);
}

const std::string& CPayInfoDialog::CellTextOf(int row, int column) {
    static const std::string kNone;
    if (row < 0 || row >= rowCount_) return kNone;
    if (column < 0 || column >= static_cast<int>(std::size(kCellTexts))) return kNone;
    std::optional<PaymentListRow>& cells = rows_[static_cast<std::size_t>(row)];
    if (!cells) cells = state_.RowAt(rowPayments_[static_cast<std::size_t>(row)]);
    return *cells.*kCellTexts[column];
}

void CPayInfoDialog::ApplyFormatRules() {
    const PaymentFormatInfo& rules = state_.Rules();
    ShowHelpText(rules.helpTextId);
    ::EnableWindow(::GetDlgItem(window_, IDC_TEMPLATE_LABEL), rules.usesTemplate);
    ::EnableWindow(::GetDlgItem(window_, IDC_TEMPLATE), rules.usesTemplate);
    ::SetDlgItemTextA(window_, IDC_TEMPLATE, state_.TemplateBoxText().GetString());
    ::EnableWindow(::GetDlgItem(window_, IDC_BENEFICIARY_LABEL), rules.usesBeneficiaryReference);
    ::EnableWindow(::GetDlgItem(window_, IDC_BENEFICIARY_REFERENCE), rules.usesBeneficiaryReference);
    ::SetDlgItemTextA(window_, IDC_BENEFICIARY_REFERENCE, state_.BeneficiaryReferenceBoxText().GetString());
    if (!rules.iatMarkingAllowed) {
        ::CheckDlgButton(window_, IDC_IAT_CHECK, BST_UNCHECKED);
        EnableMarking(false);
    }
    ::EnableWindow(::GetDlgItem(window_, IDC_IAT_CHECK), rules.iatMarkingAllowed);
    ::EnableWindow(::GetDlgItem(window_, IDC_IAT_EXPLANATION), rules.iatMarkingAllowed);
}

void CPayInfoDialog::ShowHelpText(unsigned stringId) {
    HWND help = ::GetDlgItem(window_, IDC_FORMAT_HELP);
    RECT under{};
    ::GetWindowRect(help, &under);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&under), 2);
    ::RedrawWindow(window_, &under, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    ::SetWindowTextA(help, platform::LoadStringResource(stringId).c_str());
}

void CPayInfoDialog::EnableMarking(bool enabled) {
    for (const int id : {IDC_PAYMENT_LIST, IDC_SET, IDC_RESET}) ::EnableWindow(::GetDlgItem(window_, id), enabled);
}

void CPayInfoDialog::SelectFormat(PaymentFormat format) {
    state_.SelectFormat(format);
    ApplyFormatRules();
}

void CPayInfoDialog::MarkSelectedRows(bool mark) {
    // Each row names its payment: rows and payments part ways when one could not be fetched.
    std::vector<std::int32_t> paymentIndexes;
    for (int row = -1; (row = static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                                 LVNI_SELECTED))) >= 0;) {
        if (row < rowCount_) paymentIndexes.push_back(rowPayments_[static_cast<std::size_t>(row)]);
    }
    if (state_.MarkSelected(paymentIndexes, mark)) FillList();
}

void CPayInfoDialog::ShowDefaultDate() {
    state_.StartAt(CurrentLocalDate());
    HWND picker = ::GetDlgItem(window_, IDC_PROCESSING_DATE);
    ::SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("dd/MM/yyyy"));
    if (const auto date = FromOleDate(state_.ProcessingDate())) {
        SYSTEMTIME shown = platform::ToSystemTime(*date);
        ::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    }
}

CString CPayInfoDialog::ControlText(int id, int limit) const {
    std::vector<char> text(static_cast<std::size_t>(limit) + 1, '\0');
    ::GetDlgItemTextA(window_, id, text.data(), limit + 1);
    return CString(text.data());
}

void CPayInfoDialog::Confirm() {
    if (state_.Confirm(window_, ControlText(IDC_TEMPLATE, kTemplateNameLimit),
                        ControlText(IDC_BENEFICIARY_REFERENCE, kBeneficiaryReferenceLimit))) {
        ::EndDialog(window_, IDOK);
    }
}

void CPayInfoDialog::CancelDialog() {
    if (state_.Cancel(window_)) ::EndDialog(window_, IDCANCEL);
}
