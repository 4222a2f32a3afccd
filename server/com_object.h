#pragma once
// The frame every component class lives in. A class T derives from ComObjectRoot and its
// interfaces, lists what it answers in `static constexpr InterfaceMapEntry kInterfaceMap[]`, and
// may override FinalConstruct (its construction step, which raises on failure). ComObject<T> adds
// the plain reference count and QueryInterface; AggregatedObject<T> is T inside an outer object.
#include <new>
#include <utility>

#include "platform/win32/unique_handles.h"
#include "server/interface_map.h"
#include "server/module_lock.h"

// Base of the component's classes: every instance holds one module lock for its lifetime.
class ComObjectRoot {
public:
    ComObjectRoot(const ComObjectRoot&) = delete;
    ComObjectRoot& operator=(const ComObjectRoot&) = delete;

    // The construction step, run once the object exists and before anyone sees it.
    void FinalConstruct() {}

protected:
    ComObjectRoot() noexcept { LockModule(); }
    ~ComObjectRoot() { UnlockModule(); }
};

// A standalone object with a plain (single-apartment) reference count.
template <class T>
class ComObject final : public T {
public:
    template <class... Args>
    explicit ComObject(Args&&... args) : T(std::forward<Args>(args)...) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return QueryInterfaceFromMap(static_cast<T*>(this), T::kInterfaceMap, iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

private:
    ULONG references_ = 0;
};

// T inside an aggregate: its IUnknown calls go to the outer object.
template <class T>
class ContainedObject final : public T {
public:
    explicit ContainedObject(IUnknown* outer) : outer_(outer) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return outer_->QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

    HRESULT InternalQueryInterface(REFIID iid, void** out) {
        return QueryInterfaceFromMap(static_cast<T*>(this), T::kInterfaceMap, iid, out);
    }

private:
    IUnknown* outer_;  // not counted: the outer object owns us
};

// The inner, non-delegating IUnknown of an aggregated T; the outer object holds it.
template <class T>
class AggregatedObject final : public IUnknown {
public:
    explicit AggregatedObject(IUnknown* outer) : contained_(outer) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!::IsEqualIID(iid, IID_IUnknown)) return contained_.InternalQueryInterface(iid, out);
        if (!out) return E_POINTER;
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG remaining = --references_;
        if (remaining == 0) delete this;
        return remaining;
    }

    T& Object() noexcept { return contained_; }

private:
    ULONG references_ = 0;
    ContainedObject<T> contained_;
};

// A new T holding one reference, its construction step done. Raises E_OUTOFMEMORY (as a long)
// when it cannot be allocated, and whatever the construction step raises; a half-built object
// is destroyed on the way out.
template <class T, class... Args>
ComPtr<ComObject<T>> CreateComObject(Args&&... args) {
    auto* object = new (std::nothrow) ComObject<T>(std::forward<Args>(args)...);
    if (!object) throw static_cast<long>(E_OUTOFMEMORY);
    object->AddRef();
    ComPtr<ComObject<T>> held(object);
    held->FinalConstruct();
    return held;
}

// The same for T aggregated into `outer`; the result is the inner IUnknown.
template <class T>
ComPtr<AggregatedObject<T>> CreateAggregatedObject(IUnknown* outer) {
    auto* object = new (std::nothrow) AggregatedObject<T>(outer);
    if (!object) throw static_cast<long>(E_OUTOFMEMORY);
    object->AddRef();
    ComPtr<AggregatedObject<T>> held(object);
    held->Object().FinalConstruct();
    return held;
}
