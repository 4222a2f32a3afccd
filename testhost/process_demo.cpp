// process_demo: the host's side of payment runs, for demo/process.sh and the tests that compare
// them with `varrow export`. It loads a payment list as `varrow export` reads it, hands it to the
// registered component's Process through the substitute host, and plays the user on a second
// thread: the options dialog (format, template name, beneficiary reference; the date stays at its
// default) and the save dialog.
//
//   process_demo PAYMENTS.csv OUTPUT FORMAT [--template T] [--benref R] [--then OUTPUT FORMAT ...]...
//
// FORMAT is named as by `varrow export`. Each `--then` starts one more run in the same process
// (where a process start is dear, as under emulation). Prints, per run, the processing date the
// dialog offered, what Process returned, ResultCode, and each payment's Status. Exit status 0
// when every run got through both dialogs, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "payments/payment_format.h"
#include "resources/payment_dialog_ids.h"
#include "testhost/host_program.h"
#include "testhost/substitute_host.h"
#include "tests/support/gui.h"
#include "tests/support/payment_run_user.h"

namespace {

struct DemoArguments {
    std::string payments;
    std::string output;
    int formatButton = 0;
    std::optional<std::string> templateName;
    std::optional<std::string> beneficiaryReference;
};

int FormatButton(const std::string& name) {
    for (const auto& format : kPaymentFormats) {
        if (name == format.commandLineName) return format.radioButtonId;
    }
    return 0;
}

// One run per group of OUTPUT FORMAT [options], the groups parted by --then.
std::optional<std::vector<DemoArguments>> ParseArguments(int argc, char** argv) {
    if (argc < 4) return std::nullopt;
    std::vector<DemoArguments> runs;
    for (int i = 2; i < argc;) {
        if (i + 1 >= argc) return std::nullopt;
        DemoArguments arguments{argv[1], argv[i], FormatButton(argv[i + 1]), std::nullopt, std::nullopt};
        if (arguments.formatButton == 0) return std::nullopt;
        for (i += 2; i < argc; i += 2) {
            const std::string option = argv[i];
            if (option == "--then") break;
            if (i + 1 >= argc) return std::nullopt;
            if (option == "--template") arguments.templateName = argv[i + 1];
            else if (option == "--benref") arguments.beneficiaryReference = argv[i + 1];
            else return std::nullopt;
        }
        if (i < argc) ++i;  // past --then
        runs.push_back(std::move(arguments));
    }
    return runs;
}

struct UserReport {
    std::string date;
    bool saved = false;
};

// What the user does: chooses the format, types what the format takes, confirms, and saves.
void Work(const DemoArguments& arguments, UserReport& report) {
    HWND options = run_user::WaitForOptionsDialog();
    if (!options) return;
    gui::Click(options, arguments.formatButton);
    if (arguments.templateName) gui::SetItemText(options, IDC_TEMPLATE, *arguments.templateName);
    if (arguments.beneficiaryReference) {
        gui::SetItemText(options, IDC_BENEFICIARY_REFERENCE, *arguments.beneficiaryReference);
    }
    const SYSTEMTIME date = gui::PickerDate(::GetDlgItem(options, IDC_PROCESSING_DATE));
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u", date.wDay, date.wMonth, date.wYear);
    report.date = text;
    gui::PostClick(options, IDOK);
    gui::WaitUntilClosed(options);
    HWND save = run_user::WaitForSaveDialog();
    if (!save) return;
    run_user::SaveAs(save, arguments.output);
    report.saved = true;
}

int Run(const DemoArguments& arguments) {
    host_program::PrepareSettingsFile();
    substitute_host::SetExportLocation("payments", "txt", "C:\\");
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(host_program::LoadPaymentList(arguments.payments));
    // The payer's account, as the host's filter names it: the settings are kept for it.
    const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"40-12-76", L"41829374");
    ComPtr<IBankPaymentService> service;
    const HRESULT created = ::CoCreateInstance(CLSID_BankPaymentService, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IBankPaymentService, ReceiveAsVoid(service));
    if (FAILED(created)) {
        std::printf("process_demo: the component is not registered (0x%08lX)\n", static_cast<unsigned long>(created));
        return 1;
    }
    UserReport report;
    const HRESULT hr = run_user::WithUser([&] { return service->Process(payments.Get(), filter.Get()); },
                                          [&] { Work(arguments, report); });
    LONG resultCode = 0;
    service->get_ResultCode(&resultCode);
    std::printf("processing date %s\nProcess returned %ld, ResultCode %ld\n", report.date.c_str(),
                static_cast<long>(hr), static_cast<long>(resultCode));
    const std::vector<long> statuses = substitute_host::Statuses(payments.Get());
    for (std::size_t i = 0; i < statuses.size(); ++i) std::printf("payment %u: Status %ld\n", static_cast<unsigned>(i), statuses[i]);
    return report.saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto runs = ParseArguments(argc, argv);
    if (!runs) {
        std::fputs("usage: process_demo PAYMENTS.csv OUTPUT FORMAT [--template T] [--benref R] [--then OUTPUT FORMAT ...]...\n",
                   stderr);
        return 64;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int status = 0;
    for (const DemoArguments& run : *runs) {
        try {
            if (Run(run) != 0) status = 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "process_demo: %s\n", e.what());
            status = 1;
        }
        std::fflush(stdout);
    }
    ::CoUninitialize();
    return status;
}
