#pragma once
// CEnumVariantArray: an IEnumVARIANT over the entries of a list, handing each out as VT_DISPATCH.
// It holds a reference on the list that owns the entries, so it cannot outlive what it walks.
#include <utility>
#include <oaidl.h>

#include "bank/carray.h"
#include "platform/win32/unique_handles.h"
#include "server/com_object.h"

template <class Element>
class CEnumVariantArray : public IEnumVARIANT {
public:
    using Entries = CArray<ComPtr<Element>>;

    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IEnumVARIANT, &InterfaceOf<CEnumVariantArray, IEnumVARIANT>},
    };

    // `owner` is the object that owns `entries`.
    CEnumVariantArray(const Entries& entries, ComPtr<IUnknown> owner, ULONG position = 0) noexcept
        : entries_(entries), owner_(std::move(owner)), position_(position) {}

    void FinalConstruct() {}

    STDMETHODIMP Next(ULONG requested, VARIANT* elements, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        // Nothing asked for, nothing to do.
        if (requested == 0) return S_OK;
        if (!elements) return E_POINTER;
        for (ULONG i = 0; i < requested; ++i) ::VariantInit(&elements[i]);
        HRESULT result = S_OK;
        ULONG delivered = 0;
        while (delivered < requested && position_ < Count()) {
            VARIANT& element = elements[delivered];
            IDispatch* dispatch = nullptr;
            result = entries_.GetAt(static_cast<int>(position_))
                         ->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
            if (FAILED(result)) break;
            V_VT(&element) = VT_DISPATCH;
            V_DISPATCH(&element) = dispatch;
            ++delivered;
            ++position_;
        }
        if (fetched) *fetched = delivered;
        return delivered < requested ? S_FALSE : result;
    }

    // Skipping exactly to the end skips every element asked for: S_OK. Asking for more than
    // is left moves nothing and answers S_FALSE.
    STDMETHODIMP Skip(ULONG count) override {
        const unsigned long long target = static_cast<unsigned long long>(position_) + count;
        if (target > Count()) return S_FALSE;
        position_ = static_cast<ULONG>(target);
        return S_OK;
    }

    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }

    STDMETHODIMP Clone(IEnumVARIANT** clone) override {
        if (!clone) return E_POINTER;
        *clone = nullptr;
        try {
            return CreateComObject<CEnumVariantArray>(entries_, Retain(owner_.Get()), position_)
                ->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(clone));
        } catch (long hr) {
            return hr;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

private:
    ULONG Count() const noexcept { return static_cast<ULONG>(entries_.GetCount()); }

    const Entries& entries_;
    ComPtr<IUnknown> owner_;
    ULONG position_;
};
