#pragma once
// The class object of a component class T. The module caches one per class for its whole life;
// that cached reference does not keep the module loaded, but every client reference does: the
// count rising to 2 takes a module lock and falling back to 1 returns it.
#include <new>

#include "common/errors.h"
#include "server/com_object.h"
#include "server/hresult_of.h"

// What a class tells the frame about itself: its CLSID.
template <const CLSID* Clsid>
class CoClass {
public:
    static const CLSID& ClassId() noexcept { return *Clsid; }
};

template <class T>
class ClassFactory final : public IClassFactory {
public:
    // A class object holding the one reference that the module's cache keeps.
    static IClassFactory* CreateCached() noexcept { return new (std::nothrow) ClassFactory(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IClassFactory)) {
            if (out) *out = nullptr;
            return E_NOINTERFACE;
        }
        if (!out) return E_POINTER;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override {
        const LONG count = ::InterlockedIncrement(&references_);
        if (count == 2) LockModule();
        return static_cast<ULONG>(count);
    }

    STDMETHODIMP_(ULONG) Release() override {
        const LONG count = ::InterlockedDecrement(&references_);
        if (count == 1) UnlockModule();
        if (count == 0) delete this;
        return static_cast<ULONG>(count);
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer && !::IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
        return HResultOf([&] {
            if (outer) return CreateAggregatedObject<T>(outer)->QueryInterface(iid, out);
            return CreateComObject<T>()->QueryInterface(iid, out);
        });
    }

    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) {
            LockModule();
        } else {
            UnlockModule();
        }
        return S_OK;
    }

private:
    ClassFactory() = default;
    volatile LONG references_ = 1;
};
