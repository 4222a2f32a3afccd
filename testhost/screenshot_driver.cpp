// screenshot_driver: the pictures of docs/user-guide.md, taken from the registered component
// (scripts/screenshots, make screenshots). It runs Process through the substitute host six times
// and, as the user on a second thread, brings up every dialog and message box of a payment run and
// takes a picture of each window from the X display:
//
//   screenshot_driver PAYMENTS.csv PICTURE_FOLDER
//
// PAYMENTS.csv is a payment list as `varrow export` reads it (a Windows path); PICTURE_FOLDER is
// the Unix folder that receives NAME.png for each window. Prints one line per picture with the
// window's caption; exit status 0 when every picture was taken, 1 otherwise.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/ole_date.h"
#include "options/calendar.h"
#include "payments/payment_format.h"
#include "payments/run_message_caption.h"
#include "payments/status_codes.h"
#include "resources/payment_dialog_ids.h"
#include "testhost/host_program.h"
#include "testhost/substitute_host.h"
#include "tests/support/gui.h"
#include "tests/support/payment_run_user.h"

namespace {

constexpr char kPaymentFolder[] = "C:\\Payments";
constexpr char kMissingPaymentFolder[] = "C:\\Accounts\\Payments";
constexpr char kTemplateName[] = "JOINERY-DEC";
constexpr char kBeneficiaryReference[] = "HJL DEC RUN";
// The payment of samples/payments.csv into the payer's own reserve account: a transfer.
constexpr int kOwnAccountRow = 2;

class Pictures {
public:
    explicit Pictures(std::string folder) : folder_(std::move(folder)) {}

    void Take(HWND window, const std::string& name) {
        const std::string file = name + ".png";
        if (window && gui::SaveScreenshot(window, folder_ + "/" + file)) {
            std::printf("%s\t%s\n", file.c_str(), gui::Text(window).c_str());
        } else {
            missing_.push_back(file);
        }
    }

    // A message box owned by `owner`, once it shows; then its OK (or `answer`) is pressed.
    void TakeMessage(HWND owner, const std::string& name, int answer = IDOK) {
        HWND box = run_user::WaitForOwnedDialog(owner);
        Take(box, name);
        if (box) gui::Answer(box, answer);
    }

    const std::vector<std::string>& Missing() const { return missing_; }

private:
    std::string folder_;
    std::vector<std::string> missing_;
};

// ---- dates the user picks, as the component's own calendar and clock see them

double Today() { return std::floor(CurrentLocalDate()); }

template <class Wanted>
double FirstDayFrom(double day, Wanted wanted) {
    while (!wanted(IsBankingDay(day))) day += 1;
    return day;
}

// An ordinary Saturday: the message then advances the date by 2 days.
double NextOrdinarySaturday() {
    return FirstDayFrom(Today() + 1, [](const BankingDay& d) { return d.kind == NonBankingKind::Weekend && d.advance == 2; });
}

double NextBankHoliday() {
    return FirstDayFrom(Today() + 1, [](const BankingDay& d) { return d.kind == NonBankingKind::BankHoliday; });
}

// A banking day just beyond the 45 days ahead that the dialog accepts.
double BankingDayBeyondHorizon() {
    return FirstDayFrom(Today() + 46, [](const BankingDay& d) { return d.banking; });
}

void PickDate(HWND options, double date) {
    const auto day = FromOleDate(date);
    if (day) gui::SetPickerDate(::GetDlgItem(options, IDC_PROCESSING_DATE), day->year, day->month, day->day);
}

// ---- the user's part of each run

void ChooseFormat(HWND options, const PaymentFormatInfo& format) {
    gui::Click(options, format.radioButtonId);
    if (format.usesTemplate) gui::SetItemText(options, IDC_TEMPLATE, kTemplateName);
    if (format.usesBeneficiaryReference) gui::SetItemText(options, IDC_BENEFICIARY_REFERENCE, kBeneficiaryReference);
}

void MarkTransfer(HWND options, int row) {
    ChooseFormat(options, FormatInfo(PaymentFormat::StandardDomestic));
    gui::Click(options, IDC_IAT_CHECK);
    gui::SelectListRows(::GetDlgItem(options, IDC_PAYMENT_LIST), {row});
    gui::Click(options, IDC_SET);
}

// OK with a date the dialog refuses: its message box, answered.
void RefuseDate(Pictures& pictures, HWND options, double date, const std::string& name) {
    PickDate(options, date);
    gui::PostClick(options, IDOK);
    pictures.TakeMessage(options, name);
}

// The whole dialog: each format, the marks, each refused date, the question on Cancel; then the
// default date confirmed and the save dialog.
void WorkTheOptions(Pictures& pictures) {
    HWND options = run_user::WaitForOptionsDialog();
    if (!options) return;
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        ChooseFormat(options, format);
        pictures.Take(options, std::string("payment-options-") + format.commandLineName);
    }
    MarkTransfer(options, kOwnAccountRow);
    pictures.Take(options, "payment-options-iat");

    RefuseDate(pictures, options, Today() - 1, "date-before-today");
    RefuseDate(pictures, options, NextOrdinarySaturday(), "date-weekend");
    RefuseDate(pictures, options, NextBankHoliday(), "date-bank-holiday");
    RefuseDate(pictures, options, BankingDayBeyondHorizon(), "date-too-far-ahead");

    gui::PostClick(options, IDCANCEL);
    pictures.TakeMessage(options, "changes-made", IDNO);

    PickDate(options, NextAvailableProcessingDate(CurrentLocalDate()));
    gui::PostClick(options, IDOK);
    gui::WaitUntilClosed(options);
    HWND save = run_user::WaitForSaveDialog();
    pictures.Take(save, "save-dialog");
    if (save) run_user::SaveAs(save, std::string(kPaymentFolder) + "\\payments.txt");
}

// A message box of the run itself, shown before the options dialog; the dialog is then cancelled.
void TakeRunMessage(Pictures& pictures, const char* caption, const std::string& name) {
    HWND box = gui::WaitForWindow("#32770", caption, run_user::kDialogTimeoutMs);
    pictures.Take(box, name);
    if (box) gui::Answer(box, IDOK);
    if (HWND options = run_user::WaitForOptionsDialog(2000)) run_user::CancelDialog(options);
}

// The options confirmed as they open, and the file saved as `file`.
void ConfirmAndSave(const std::string& file) {
    HWND options = run_user::WaitForOptionsDialog();
    if (!options) return;
    gui::PostClick(options, IDOK);
    gui::WaitUntilClosed(options);
    if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, file);
}

// The question about payments made twice, which follows the options; answered No.
void TakeRepeatQuestion(Pictures& pictures, HWND host) {
    HWND options = run_user::WaitForOptionsDialog();
    if (!options) return;
    gui::PostClick(options, IDOK);
    gui::WaitUntilClosed(options);
    pictures.TakeMessage(host, "repeated-payments", IDNO);
}

// Two payments of the list paid before, and a new bill entered twice.
std::vector<substitute_host::PaymentFields> PaidAgainAndANewBillTwice(const std::vector<substitute_host::PaymentFields>& list) {
    substitute_host::PaymentFields bill = list.at(1);
    bill.value = 91.20;
    bill.payeeBankBACSReference = L"ACC 55012878";
    return {list.at(0), list.at(1), bill, bill};
}

std::vector<substitute_host::PaymentFields> TooManyPayments(const substitute_host::PaymentFields& model) {
    return std::vector<substitute_host::PaymentFields>(static_cast<std::size_t>(kMaxPayments) + 1, model);
}

int Run(const std::string& paymentList, const std::string& pictureFolder) {
    const std::string settingsFile = host_program::PrepareSettingsFile();
    ::CreateDirectoryA(kPaymentFolder, nullptr);
    // As the host hands them over for a first run: none marked yet.
    std::vector<substitute_host::PaymentFields> list = host_program::LoadPaymentList(paymentList);
    for (auto& payment : list) payment.status = 0;
    if (list.empty()) {
        std::fprintf(stderr, "screenshot_driver: no payments in %s\n", paymentList.c_str());
        return 1;
    }
    ComPtr<IBankPaymentService> service;
    const HRESULT created = ::CoCreateInstance(CLSID_BankPaymentService, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IBankPaymentService, ReceiveAsVoid(service));
    if (FAILED(created)) {
        std::fprintf(stderr, "screenshot_driver: the component is not registered (0x%08lX)\n",
                     static_cast<unsigned long>(created));
        return 1;
    }
    const run_user::ActiveHostWindow host;
    const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"40-12-76", L"41829374");
    Pictures pictures(pictureFolder);
    const auto process = [&](const ComPtr<ITeskPayments>& payments, const std::function<void()>& user) {
        run_user::WithUser([&] { return service->Process(payments.Get(), filter.Get()); }, user);
    };

    substitute_host::SetExportLocation("payments", "txt", kPaymentFolder);
    process(substitute_host::MakePayments(list), [&] { WorkTheOptions(pictures); });
    process(substitute_host::MakePayments(TooManyPayments(list.front())),
            [&] { TakeRunMessage(pictures, kRunMessageCaption, "too-many-payments"); });

    substitute_host::SetExportLocation("payments", "txt", kMissingPaymentFolder);
    process(substitute_host::MakePayments(list), [&] { TakeRunMessage(pictures, "Invalid default path", "invalid-default-path"); });
    substitute_host::SetExportLocation("payments", "txt", kPaymentFolder);

    // The account number check turned on where no tables lie beside the component.
    ::WritePrivateProfileStringA("Validation", "ModulusCheck", "1", settingsFile.c_str());
    process(substitute_host::MakePayments(list), [&] { TakeRunMessage(pictures, kRunMessageCaption, "unreadable-tables"); });
    ::WritePrivateProfileStringA("Validation", "ModulusCheck", nullptr, settingsFile.c_str());

    // The check for payments made twice: a run whose file goes into the history, then a run that
    // repeats two of its payments.
    ::WritePrivateProfileStringA("Validation", "DuplicateDays", "31", settingsFile.c_str());
    process(substitute_host::MakePayments(list), [&] { ConfirmAndSave(std::string(kPaymentFolder) + "\\payments.txt"); });
    process(substitute_host::MakePayments(PaidAgainAndANewBillTwice(list)), [&] { TakeRepeatQuestion(pictures, host.Get()); });
    ::WritePrivateProfileStringA("Validation", "DuplicateDays", nullptr, settingsFile.c_str());

    for (const std::string& name : pictures.Missing()) std::fprintf(stderr, "screenshot_driver: no picture %s\n", name.c_str());
    return pictures.Missing().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: screenshot_driver PAYMENTS.csv PICTURE_FOLDER\n", stderr);
        return 64;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int status = 1;
    try {
        status = Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshot_driver: %s\n", e.what());
    }
    ::CoUninitialize();
    return status;
}
