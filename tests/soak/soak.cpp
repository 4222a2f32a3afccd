// soak: a working day of the component in one process. It creates the bank through the registered
// DLL and, reusing it as a host would, runs Process many times (the user played by a second thread
// in the real dialogs, every format, now and then 4000 payments) and ImportStatement many more
// (the sample statement and a large one), then compares what the process holds before and after.
//
//   soak SAMPLE_STATEMENT [PROCESS_RUNS [IMPORTS]]        (defaults: 200 and 2000)
//
// Prints the figures before, halfway and after, and exits 1 when any grows beyond its tolerance
// or the component cannot be unloaded once the bank is released.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "resources/payment_dialog_ids.h"
#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/component_classes.h"
#include "tests/support/gui.h"
#include "tests/support/payment_run_user.h"
#include "tests/support/temp_dir.h"

namespace {

// What the process holds. Each figure comes from the call made for it where the platform answers
// it; Wine answers GetProcessHandleCount, GetGuiResources and the private usage with 0, so there
// they are counted from what the process can see of itself instead.
struct Figures {
    DWORD handles = 0;
    DWORD dialogKeys = 0;  // Wine only: registry keys its save dialog leaves open, one per dialog
    DWORD userObjects = 0;
    DWORD gdiObjects = 0;  // 0 where the platform does not tell
    SIZE_T privateBytes = 0;
    long liveHostObjects = 0;
};

// Every handle value that names an open kernel handle.
std::vector<HANDLE> OpenHandles() {
    constexpr std::uintptr_t kStep = 4;
    constexpr std::uintptr_t kGiveUpAfter = 4096 * kStep;  // this far past the last open one
    std::vector<HANDLE> open;
    std::uintptr_t last = 0;
    for (std::uintptr_t value = kStep; value <= last + kGiveUpAfter; value += kStep) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            open.push_back(reinterpret_cast<HANDLE>(value));
            last = value;
        }
    }
    return open;
}

// "Key \\REGISTRY\\...": what a handle is, to say what a growing count holds.
std::wstring Describe(HANDLE handle) {
    alignas(8) unsigned char buffer[2048] = {};
    std::wstring text;
    for (const auto kind : {ObjectTypeInformation, static_cast<OBJECT_INFORMATION_CLASS>(1)}) {  // type, then name
        ULONG length = 0;
        if (::NtQueryObject(handle, kind, buffer, sizeof buffer - 2, &length) != 0) continue;
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer);
        if (name->Buffer) text += std::wstring(name->Buffer, name->Length / sizeof(wchar_t)) + L" ";
    }
    return text;
}

// Wine's save dialog opens its list of recent folders and never closes it: a handle a run leaves
// behind that is neither the component's nor the host's, kept apart from the count.
bool IsWineDialogKey(HANDLE handle) {
    const std::wstring what = Describe(handle);
    const std::wstring key = L"\\ComDlg32\\LastVisitedMRU ";
    return what.size() >= key.size() && what.compare(what.size() - key.size(), key.size(), key) == 0;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<DWORD*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// The windows of this process, top-level and child: the USER objects that a dialog leaves behind.
DWORD CountWindows() {
    DWORD count = 0;
    ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Committed memory that belongs to this process alone.
SIZE_T CommittedPrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr; ::VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

Figures Measure() {
    Figures figures;
    const HANDLE self = ::GetCurrentProcess();
    if (!::GetProcessHandleCount(self, &figures.handles) || figures.handles == 0) {
        for (const HANDLE handle : OpenHandles()) {
            ++(IsWineDialogKey(handle) ? figures.dialogKeys : figures.handles);
        }
    }
    figures.userObjects = ::GetGuiResources(self, GR_USEROBJECTS);
    if (figures.userObjects == 0) figures.userObjects = CountWindows();
    figures.gdiObjects = ::GetGuiResources(self, GR_GDIOBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        figures.privateBytes = memory.PrivateUsage;
    }
    if (figures.privateBytes == 0) figures.privateBytes = CommittedPrivateBytes();
    figures.liveHostObjects = substitute_host::LiveObjects();
    return figures;
}

unsigned long long KiB(SIZE_T bytes) { return bytes / 1024; }

void Print(const char* when, const Figures& f) {
    std::printf("%-8s handles %lu (and %lu of Wine's save dialog), USER objects %lu, GDI objects %lu, "
                "private bytes %llu KiB, live host objects %ld\n",
                when, f.handles, f.dialogKeys, f.userObjects, f.gdiObjects, KiB(f.privateBytes), f.liveHostObjects);
    std::fflush(stdout);
}

// How much each figure may grow from the first measurement to the last. Counted objects may not
// grow at all. Private bytes may grow by what the heaps keep for reuse and Wine's caches fill with
// once (fonts, the file dialog's folders); a leak of even a few hundred bytes a run would pass
// this over 2200 runs, so the second half is held to a tighter bound than the whole day.
constexpr SIZE_T kPrivateBytesTolerance = 4 * 1024 * 1024;
constexpr SIZE_T kSecondHalfTolerance = 1024 * 1024;

bool WithinTolerance(const Figures& before, const Figures& half, const Figures& after) {
    bool within = true;
    const auto counted = [&](const char* name, DWORD first, DWORD last) {
        if (last > first) {
            std::printf("FAIL: %s grew from %lu to %lu\n", name, first, last);
            within = false;
        }
    };
    counted("handles", before.handles, after.handles);
    counted("USER objects", before.userObjects, after.userObjects);
    counted("GDI objects", before.gdiObjects, after.gdiObjects);
    counted("live host objects", static_cast<DWORD>(before.liveHostObjects), static_cast<DWORD>(after.liveHostObjects));
    if (after.privateBytes > before.privateBytes + kPrivateBytesTolerance ||
        after.privateBytes > half.privateBytes + kSecondHalfTolerance) {
        std::printf("FAIL: private bytes grew from %llu KiB (%llu KiB halfway) to %llu KiB\n", KiB(before.privateBytes),
                    KiB(half.privateBytes), KiB(after.privateBytes));
        within = false;
    }
    return within;
}

// ---- the host's side

substitute_host::PaymentFields Payment(int i) {
    substitute_host::PaymentFields fields;
    fields.value = 10.0 + i;
    fields.payerBankSortCode = L"40-12-76";
    fields.payerBankAccountNumber = L"41829374";
    fields.payeeBankSortCode = L"20-32-06";
    fields.payeeBankAccountNumber = i % 7 == 3 ? L"2214096" : L"73004521";  // now and then a payment fails its check
    fields.payeeBankAccountName = L"Oakridge Timber Supplies";
    fields.payeeBankBACSReference = L"INV-" + std::to_wstring(i);
    fields.details = L"December";
    return fields;
}

std::vector<substitute_host::PaymentFields> Payments(int count) {
    std::vector<substitute_host::PaymentFields> payments;
    for (int i = 0; i < count; ++i) payments.push_back(Payment(i));
    return payments;
}

ComPtr<ITeskBankService> Service(ITeskBank* bank, long position) {
    ComPtr<ITeskBankServices> services;
    bank->get_Services(services.Receive());
    UniqueVariant index;
    V_VT(&index.Get()) = VT_I4;
    V_I4(&index.Get()) = position;
    ComPtr<ITeskBankService> service;
    if (services) services->get_Item(&index.Get(), service.Receive());
    return service;
}

constexpr int kFormatButtons[] = {IDC_STANDARD_DOMESTIC, IDC_DOMESTIC_TEMPLATE, IDC_BULK_LIST, IDC_AD_HOC_BULK};

// The user: the run's format, a template and a reference where the format takes them, one IAT
// mark where it allows them, then the file.
std::function<void()> User(int format, const std::string& path) {
    return [format, path] {
        HWND options = run_user::WaitForOptionsDialog();
        if (!options) return;
        gui::Click(options, kFormatButtons[format]);
        if (format <= 1) {
            gui::Click(options, IDC_IAT_CHECK);
            gui::SelectListRows(::GetDlgItem(options, IDC_PAYMENT_LIST), {0});
            gui::Click(options, IDC_SET);
        }
        if (format == 1 || format == 2) gui::SetItemText(options, IDC_TEMPLATE, "SUPPLIERS-DEC");
        if (format >= 2) gui::SetItemText(options, IDC_BENEFICIARY_REFERENCE, "HJL DEC RUN");
        gui::PostClick(options, IDOK);
        gui::WaitUntilClosed(options);
        if (HWND save = run_user::WaitForSaveDialog()) run_user::SaveAs(save, path);
    };
}

// A long statement of the sample's account: `rows` transactions, a cheque now and then.
std::string LargeStatement(int rows) {
    std::string text =
        "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
        "Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit\r\n";
    for (int i = 0; i < rows; ++i) {
        const bool cheque = i % 10 == 0;
        text += "401276,41829374,Workshop,HARBOURSIDE JOINERY,GBP,Business Current,VARRGB2LXXX,Varrow Bank,Quidlane,";
        text += std::to_string(1 + i % 28) + "/12/2026,PAYEE " + std::to_string(i) + "," +
                (cheque ? std::to_string(100000 + i) + ",,,,CHQ," : "REF " + std::to_string(i) + ",,,,DD,") +
                std::to_string(i % 500) + ".25,\r\n";
    }
    return text;
}

class Day {
public:
    Day(const std::string& sample, int processRuns, int imports)
        : sample_(sample), processRuns_(processRuns), imports_(imports) {
        large_ = folder_.Write("large.csv", LargeStatement(5000));
        substitute_host::Reset();
        substitute_host::SetExportLocation("pay", "txt", folder_.Path().string());
        // The substitute would otherwise keep every call of the day.
        SubstituteHostRecord(FALSE);
    }

    // One run of each kind, so that what is loaded and cached once is in before the first figures.
    void WarmUp(ITeskBank* bank) {
        ProcessOnce(bank, 0, 3);
        ImportOnce(bank, 0);
        ImportOnce(bank, 1);
    }

    void Half(ITeskBank* bank, int half) {
        for (int run = half * processRuns_ / 2; run < (half + 1) * processRuns_ / 2; ++run) {
            // Every 50th run holds the most payments a run takes.
            ProcessOnce(bank, run % 4, run % 50 == 49 ? 4000 : 3 + run % 17);
        }
        for (int run = half * imports_ / 2; run < (half + 1) * imports_ / 2; ++run) ImportOnce(bank, run);
    }

    int failures() const { return failures_; }

private:
    void ProcessOnce(ITeskBank* bank, int format, int payments) {
        const auto service = QueryAs<ITeskBankPaymentService>(Service(bank, 0).Get(), IID_ITeskBankPaymentService);
        const auto list = substitute_host::MakePayments(Payments(payments));
        const auto filter = substitute_host::MakeServiceFilter(L"40-12-76", L"41829374");
        const HRESULT hr = run_user::WithUser([&] { return service->Process(list.Get(), filter.Get()); },
                                              User(format, folder_.File("upload.txt")));
        LONG result = -1;
        service->get_ResultCode(&result);
        if (FAILED(hr) || result > 1) {
            std::printf("Process of %d payments in format %d: %s, ResultCode %ld\n", payments, format,
                        com_test::HexText(hr).c_str(), result);
            ++failures_;
        }
    }

    void ImportOnce(ITeskBank* bank, int run) {
        const auto service = QueryAs<ITeskBankStatementService>(Service(bank, 1).Get(), IID_ITeskBankStatementService);
        const auto list = substitute_host::MakeStatementTransactions();
        const auto filter = substitute_host::MakeServiceFilter(L"40-12-76", L"41829374");
        substitute_host::SetChooserAnswer(0, com_test::Widen(run % 2 ? large_ : sample_));
        const HRESULT hr = service->ImportStatement(filter.Get(), list.Get());
        LONG count = 0;
        list->get_Count(&count);
        if (hr != S_OK || count == 0) {
            std::printf("ImportStatement %d: %s, %ld transactions\n", run, com_test::HexText(hr).c_str(), count);
            ++failures_;
        }
    }

    TempDir folder_;
    std::string sample_;
    std::string large_;
    int processRuns_;
    int imports_;
    int failures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: soak SAMPLE_STATEMENT [PROCESS_RUNS [IMPORTS]]\n");
        return 2;
    }
    const int processRuns = argc > 2 ? std::atoi(argv[2]) : 200;
    const int imports = argc > 3 ? std::atoi(argv[3]) : 2000;
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    const run_user::ActiveHostWindow host;
    com_test::ComponentModule component;
    bool ok = true;
    {
        Day day(argv[1], processRuns, imports);
        ComPtr<ITeskBank> bank;
        if (FAILED(::CoCreateInstance(CLSID_Bank, nullptr, CLSCTX_INPROC_SERVER, IID_ITeskBank, ReceiveAsVoid(bank)))) {
            std::printf("FAIL: the bank cannot be created\n");
            return 1;
        }
        day.WarmUp(bank.Get());
        const std::vector<HANDLE> handlesBefore = OpenHandles();
        const Figures before = Measure();
        Print("before", before);
        day.Half(bank.Get(), 0);
        const Figures half = Measure();
        Print("halfway", half);
        day.Half(bank.Get(), 1);
        const Figures after = Measure();
        Print("after", after);
        std::printf("%d Process runs, %d imports, %d of them failed\n", processRuns, imports, day.failures());
        for (const HANDLE handle : OpenHandles()) {
            if (std::find(handlesBefore.begin(), handlesBefore.end(), handle) == handlesBefore.end() &&
                !IsWineDialogKey(handle)) {
                std::printf("opened during the day and still open: %ls\n", Describe(handle).c_str());
            }
        }
        ok = WithinTolerance(before, half, after) && day.failures() == 0;
    }
    ::CoFreeUnusedLibraries();
    const HRESULT unload = component.CanUnloadNow();
    std::printf("DllCanUnloadNow once the bank is released: %s\n", com_test::HexText(unload).c_str());
    ok = ok && unload == S_OK;
    ::CoUninitialize();
    std::printf("%s\n", ok ? "SOAK PASSED" : "SOAK FAILED");
    return ok ? 0 : 1;
}
