#pragma once
// Every method the component exposes runs its body inside ComMethodGuard. Inside, failures travel
// as exceptions: a `long` HRESULT raised by the component itself, a `_com_error` from a failing
// call on a host object, an `unsigned long` Win32 code, or an ICreateErrorInfo that the body
// built. The guard turns each into the method's HRESULT and, where it can, into the thread's
// error information; nothing escapes it.
#include <type_traits>
#include <windows.h>
#include <comdef.h>

#include "server/error_info.h"

// Raises `hr` as the component's own failure.
[[noreturn]] inline void RaiseHResult(HRESULT hr) { throw static_cast<long>(hr); }

// Out-pointers are checked before a method does any work.
inline void RequireOut(const void* out) {
    if (!out) RaiseHResult(E_INVALIDARG);
}

template <class Body>
HRESULT ComMethodGuard(Body&& body) noexcept {
    HRESULT result = S_OK;
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
            body();
        } else {
            result = body();
        }
    } catch (const _com_error&) {
        // The callee's error object travelled in the exception and goes with it: the caller
        // learns only that a call it cannot see failed.
        result = DISP_E_EXCEPTION;
    } catch (long hr) {
        result = ErrorInfoFromHResult(hr);
    } catch (unsigned long code) {
        result = ErrorInfoFromSystemText(code);
    } catch (ICreateErrorInfo* creator) {
        PublishErrorInfo(creator);
        if (creator) creator->Release();
        // The body reported a failure it described itself; it must not read as success.
        result = E_FAIL;
    } catch (...) {
        result = E_UNEXPECTED;
    }
    return result;
}
