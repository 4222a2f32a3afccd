#pragma once
// IBankServicesImpl: the service list's methods. Services are found by position (any value that
// converts to a 32-bit number, 0-based) or by name (a string, compared case-sensitively in the
// user's locale; a string that looks like a number is still a name).
#include <oaidl.h>

#include "bank/enum_variant_array.h"
#include "bank/list_impl.h"
#include "host/generated_interfaces.h"
#include "server/com_method_guard.h"

// The position `index` names among `count` entries, or -1 when it names none. `nameAt` gives
// the name of the entry at a position.
template <class NameAt>
int ResolveServicePosition(const VARIANT* index, int count, NameAt&& nameAt);

template <class T>
class IBankServicesImpl : public CListImpl<T, ITeskBankService, IBankServices> {
public:
    STDMETHODIMP get_Item(VARIANT* index, ITeskBankService** service) override {
        return ComMethodGuard([&] {
            RequireOut(service);
            const int position = ResolveServicePosition(index, this->Count(), [this](int at) { return NameAt(at); });
            if (position < 0) RaiseHResult(E_INVALIDARG);
            *service = this->ItemAt(position).Detach();
        });
    }

    STDMETHODIMP get_Count(LONG* count) override {
        return ComMethodGuard([&] {
            RequireOut(count);
            *count = this->Count();
        });
    }

    STDMETHODIMP get__NewEnum(IUnknown** enumerator) override {
        return ComMethodGuard([&] {
            RequireOut(enumerator);
            auto created = CreateComObject<CEnumVariantArray<ITeskBankService>>(
                this->entries_, QueryAs<IUnknown>(static_cast<IBankServices*>(this), IID_IUnknown));
            const HRESULT answered = created->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(enumerator));
            if (FAILED(answered)) RaiseHResult(answered);
        });
    }

private:
    UniqueBstr NameAt(int position) const {
        UniqueBstr name;
        this->entries_.GetAt(position)->get_Name(name.Receive());
        return name;
    }
};

template <class NameAt>
int ResolveServicePosition(const VARIANT* index, int count, NameAt&& nameAt) {
    // A variable handed over by reference arrives wrapped: look at what it refers to.
    while (index && V_VT(index) == (VT_VARIANT | VT_BYREF)) index = V_VARIANTREF(index);
    if (!index || V_VT(index) == VT_EMPTY || V_VT(index) == VT_ERROR) return -1;
    if (V_VT(index) == VT_BSTR || V_VT(index) == (VT_BSTR | VT_BYREF)) {
        const BSTR wanted = V_VT(index) == VT_BSTR ? V_BSTR(index) : *V_BSTRREF(index);
        for (int position = 0; position < count; ++position) {
            const UniqueBstr name = nameAt(position);
            if (::VarBstrCmp(wanted, name.Get(), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ) return position;
        }
        return -1;
    }
    UniqueVariant converted;
    if (FAILED(::VariantChangeType(&converted.Get(), const_cast<VARIANT*>(index), 0, VT_I4))) return -1;
    const LONG position = V_I4(&converted.Get());
    if (position >= count) return -1;
    // A negative position is refused by the position check.
    return position < 0 ? -1 : static_cast<int>(position);
}
