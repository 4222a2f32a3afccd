// ImportDemo.exe: imports a statement through the registered component into the substitute host's
// reconciliation list, as the host would, and prints every call the substitute host received.
//
//   ImportDemo STATEMENT SORT-CODE ACCOUNT [CANDIDATE...]
//
// The substitute chooser offers each CANDIDATE file to the component's recogniser, then answers
// with STATEMENT as the user's choice. The account source names SORT-CODE and ACCOUNT.
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>
#include <objbase.h>

#include "testhost/substitute_host.h"

namespace {

std::wstring Widen(const std::string& text) {
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), needed);
    return wide;
}

class Apartment {
public:
    Apartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

void PrintCalls() {
    for (const std::string& call : substitute_host::Calls()) std::printf("  %s\n", call.c_str());
}

int Import(const std::vector<std::string>& args) {
    substitute_host::Reset();
    for (std::size_t i = 3; i < args.size(); ++i) substitute_host::AddChooserCandidate(args[i]);
    substitute_host::SetChooserAnswer(0, Widen(args[0]));
    ComPtr<IBankStatementService> service;
    const HRESULT created = ::CoCreateInstance(CLSID_BankStatementService, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IBankStatementService, ReceiveAsVoid(service));
    if (FAILED(created)) {
        std::fprintf(stderr, "ImportDemo: the statement service cannot be created (0x%08lX): is it registered?\n",
                     static_cast<unsigned long>(created));
        return 1;
    }
    const auto list = substitute_host::MakeStatementTransactions();
    const auto filter = substitute_host::MakeServiceFilter(Widen(args[1]), Widen(args[2]));
    const HRESULT imported = service->ImportStatement(filter.Get(), list.Get());
    LONG resultCode = -1;
    service->get_ResultCode(&resultCode);
    LONG count = -1;
    {
        const substitute_host::RecordingPaused quiet;
        list->get_Count(&count);
    }
    std::printf("ImportStatement returned 0x%08lX, ResultCode %ld, %ld transactions in the list.\n",
                static_cast<unsigned long>(imported), static_cast<long>(resultCode), static_cast<long>(count));
    std::printf("Calls the substitute host received, in order:\n");
    PrintCalls();
    return SUCCEEDED(imported) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 3) {
        std::fputs("usage: ImportDemo STATEMENT SORT-CODE ACCOUNT [CANDIDATE...]\n", stderr);
        return 64;
    }
    const Apartment apartment;
    if (FAILED(apartment.Result())) {
        std::fputs("ImportDemo: COM cannot be started\n", stderr);
        return 1;
    }
    return Import(args);
}
