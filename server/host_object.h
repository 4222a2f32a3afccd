#pragma once
// Calls on the host's objects. A failing call raises a COM-call failure (`_com_error`) that
// carries the callee's error object when the callee offers one for the interface called.
#include <utility>
#include <windows.h>
#include <comdef.h>

#include "platform/win32/unique_handles.h"

// Raises the failure `hr` of a call on `callee` through interface `iid`.
[[noreturn]] void RaiseComCallFailure(HRESULT hr, IUnknown* callee, REFIID iid);

// After a host call whose failure the component tolerates: the callee's error object must not stay
// on the thread, where the caller of a method that succeeded would find it.
inline void ForgetHostFailure() noexcept { ::SetErrorInfo(0, nullptr); }

// Creates a host class as the host expects: as IUnknown in every context the host may serve it
// from, started with OleRun, then asked for `iid`. Empty when any step fails.
ComPtr<IUnknown> CreateHostObject(REFCLSID clsid, REFIID iid);

// A host object used for one operation. When its creation failed, the first call raises
// E_POINTER without error information.
template <class Interface>
class HostObject {
public:
    HostObject() = default;
    explicit HostObject(ComPtr<Interface> object) noexcept : object_(std::move(object)) {}

    static HostObject Create(REFCLSID clsid) {
        ComPtr<IUnknown> created = CreateHostObject(clsid, __uuidof(Interface));
        return HostObject(ComPtr<Interface>(static_cast<Interface*>(created.Detach())));
    }

    // Runs `call` on the object; a failing HRESULT raises.
    template <class Call>
    void Raising(Call&& call) const {
        const HRESULT hr = std::forward<Call>(call)(Object());
        if (FAILED(hr)) RaiseComCallFailure(hr, object_.Get(), __uuidof(Interface));
    }

    // Runs `call` on the object and hands back its HRESULT, whatever it is.
    template <class Call>
    HRESULT Unchecked(Call&& call) const {
        return std::forward<Call>(call)(Object());
    }

    explicit operator bool() const noexcept { return static_cast<bool>(object_); }
    Interface* Get() const noexcept { return object_.Get(); }

private:
    Interface& Object() const {
        if (!object_) throw _com_error(E_POINTER);
        return *object_.Get();
    }

    ComPtr<Interface> object_;
};
