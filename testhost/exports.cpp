// SubstituteHost.dll: the class objects of the two host classes, their registration, and the
// C interface through which tests script the substitute and read what it received.
#include <windows.h>
#include <ole2.h>

#include "common/errors.h"
#include "server/class_factory.h"
#include "server/hresult_of.h"
#include "server/registrar.h"
#include "testhost/bank_configuration.h"
#include "testhost/payments.h"
#include "testhost/service_filter.h"
#include "testhost/statement_file_chooser.h"
#include "testhost/statement_transactions.h"

namespace {

HINSTANCE substituteModule = nullptr;

// The host's classes, served in-process from wherever this DLL is.
constexpr wchar_t kRegistryScript[] = LR"(
HKCR
{
    NoRemove CLSID
    {
        ForceRemove {0BE0D1E2-5E1E-11D4-9A80-00A0CC5FF33D} = s 'BankConfiguration (substitute host)'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
        ForceRemove {40839E2E-5D63-11D4-9A80-00A0CC5FF33D} = s 'StatementFileChooser (substitute host)'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
    }
}
)";

IClassFactory* volatile classObjects[2] = {};

template <class T>
IClassFactory* ClassObject(std::size_t slot) {
    if (!classObjects[slot]) classObjects[slot] = ClassFactory<T>::CreateCached();
    return classObjects[slot];
}

std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(substituteModule, path, MAX_PATH);
    return path;
}

template <class Object, class Interface>
HRESULT HandOut(ComPtr<ComObject<Object>> object, REFIID iid, Interface** out) noexcept {
    if (!out) return E_POINTER;
    return object->QueryInterface(iid, reinterpret_cast<void**>(out));
}

std::optional<std::wstring> Optional(const wchar_t* text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}
std::optional<std::string> Optional(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

HostState& State() {
    static HostState state;
    return state;
}

LONG& LiveObjects() {
    static LONG live = 0;
    return live;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        substituteModule = instance;
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        for (auto& slot : classObjects) {
            if (slot) slot->Release();
            slot = nullptr;
        }
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    IClassFactory* classObject = nullptr;
    if (::IsEqualCLSID(clsid, kBankConfigurationClassId)) classObject = ClassObject<SubstituteBankConfiguration>(0);
    if (::IsEqualCLSID(clsid, kStatementFileChooserClassId)) classObject = ClassObject<SubstituteStatementFileChooser>(1);
    if (!classObject) return CLASS_E_CLASSNOTAVAILABLE;
    return classObject->QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
    return HResultOf([] { RegisterScript(ParseRegistryScript(kRegistryScript, {{L"MODULE", ModulePath()}})); });
}

STDAPI DllUnregisterServer() {
    return HResultOf([] { UnregisterScript(ParseRegistryScript(kRegistryScript, {{L"MODULE", ModulePath()}})); });
}

void SubstituteHostReset() { State() = HostState(); }

BOOL SubstituteHostRecord(BOOL on) {
    const bool before = State().recording;
    State().recording = on != FALSE;
    return before ? TRUE : FALSE;
}

void SubstituteHostSetExportLocation(const char* fileName, const char* extension, const char* directory) {
    HostScript& script = State().script;
    script.exportFileName = Optional(fileName);
    script.exportExtension = Optional(extension);
    script.exportDirectory = Optional(directory);
}

void SubstituteHostSetChooserAnswer(LONG outcome, const wchar_t* path) {
    State().script.chooserOutcome = outcome;
    State().script.chooserPath = Optional(path);
}

void SubstituteHostAddChooserCandidate(const char* path) {
    if (path) State().script.chooserCandidates.emplace_back(path);
}

void SubstituteHostFailMethod(HostObjectKind kind, LONG method, HRESULT hr, const wchar_t* description) {
    State().script.methodFailures[{kind, method}] = MethodFailure{hr, Optional(description)};
}

void SubstituteHostFailCreation(HostObjectKind kind, HRESULT hr) { State().script.creationFailures[kind] = hr; }

void SubstituteHostFailCall(LONG position, HRESULT hr, const wchar_t* description) {
    State().script.failingCall = std::make_pair(position, MethodFailure{hr, Optional(description)});
}

LONG SubstituteHostLiveObjects() { return LiveObjects(); }

LONG SubstituteHostCallCount() { return static_cast<LONG>(State().calls.size()); }

BSTR SubstituteHostCall(LONG index) {
    const auto& calls = State().calls;
    if (index < 0 || static_cast<std::size_t>(index) >= calls.size()) return nullptr;
    return ::SysAllocString(calls[static_cast<std::size_t>(index)].c_str());
}

HRESULT SubstituteHostCreatePayments(LONG count, ITeskPayments** payments) {
    if (!payments) return E_POINTER;
    *payments = nullptr;
    return HResultOf([&] {
        auto created = CreateComObject<SubstitutePayments>();
        for (LONG i = 0; i < count; ++i) created->Append();
        const HRESULT hr = HandOut(std::move(created), IID_ITeskPayments, payments);
        if (FAILED(hr)) throw static_cast<long>(hr);
    });
}

HRESULT SubstituteHostCreateServiceFilter(const wchar_t* sortCode, const wchar_t* accountNumber,
                                                 ITeskServiceFilter** filter) {
    if (!filter) return E_POINTER;
    *filter = nullptr;
    return HResultOf([&] {
        const HRESULT hr = HandOut(CreateComObject<SubstituteServiceFilter>(Optional(sortCode), Optional(accountNumber)),
                                   IID_ITeskServiceFilter, filter);
        if (FAILED(hr)) throw static_cast<long>(hr);
    });
}

HRESULT SubstituteHostCreateStatementTransactions(ITeskStatementTransactions** transactions) {
    if (!transactions) return E_POINTER;
    *transactions = nullptr;
    return HResultOf([&] {
        const HRESULT hr = HandOut(CreateComObject<SubstituteStatementTransactions>(), IID_ITeskStatementTransactions,
                                   transactions);
        if (FAILED(hr)) throw static_cast<long>(hr);
    });
}
