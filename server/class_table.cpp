#include "server/class_table.h"

#include <iterator>

#include "bank/bank.h"
#include "bank/bank_payment_service.h"
#include "bank/bank_services.h"
#include "bank/bank_statement_service.h"
#include "resources/resource_ids.h"

namespace {

// The category that the host's framework looks for among installed banks.
constexpr CATID kBankCategory = {0x4E28D2A2, 0xEE93, 0x11D3, {0x8A, 0x15, 0x00, 0xE0, 0x29, 0x17, 0x8D, 0x24}};

template <class T>
IClassFactory* CreateClassObject() noexcept {
    return ClassFactory<T>::CreateCached();
}

const ComponentClass kClasses[] = {
    {&CLSID_Bank, kRegistryScriptBank, &CreateClassObject<CBank>, &kBankCategory, 1},
    {&CLSID_BankServices, kRegistryScriptBankServices, &CreateClassObject<CBankServices>, nullptr, 0},
    {&CLSID_BankPaymentService, kRegistryScriptBankPaymentService, &CreateClassObject<CBankPaymentService>, nullptr, 0},
    {&CLSID_BankStatementService, kRegistryScriptBankStatementService, &CreateClassObject<CBankStatementService>,
     nullptr, 0},
};

// One slot per class; filled once, with a compare-and-swap, since apartments may race.
IClassFactory* volatile cachedClassObjects[std::size(kClasses)] = {};

IClassFactory* CachedClassObject(std::size_t slot) noexcept {
    IClassFactory* const present = cachedClassObjects[slot];
    if (present) return present;
    IClassFactory* const created = kClasses[slot].createClassObject();
    if (!created) return nullptr;
    void* const previous = ::InterlockedCompareExchangePointer(
        reinterpret_cast<void* volatile*>(&cachedClassObjects[slot]), created, nullptr);
    if (!previous) return created;
    created->Release();
    return static_cast<IClassFactory*>(previous);
}

}  // namespace

const ComponentClass* ComponentClassesBegin() noexcept { return std::begin(kClasses); }
const ComponentClass* ComponentClassesEnd() noexcept { return std::end(kClasses); }

HRESULT GetComponentClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (std::size_t slot = 0; slot < std::size(kClasses); ++slot) {
        if (!::IsEqualCLSID(clsid, *kClasses[slot].clsid)) continue;
        IClassFactory* const classObject = CachedClassObject(slot);
        if (!classObject) return E_OUTOFMEMORY;
        return classObject->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

void ReleaseComponentClassObjects() noexcept {
    for (auto& slot : cachedClassObjects) {
        void* const held = ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&slot), nullptr);
        if (held) static_cast<IClassFactory*>(held)->Release();
    }
}
