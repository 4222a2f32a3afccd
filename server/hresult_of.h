#pragma once
#include <windows.h>

#include <new>
#include <type_traits>

#include "common/errors.h"

// The HRESULT of work that reports its failures as exceptions, for the entry points that answer
// with a result alone and publish no error information (exports, class objects). Work that
// returns an HRESULT passes it on; work that returns nothing succeeded with S_OK.
template <class Work>
HRESULT HResultOf(Work&& work) noexcept {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Work>>) {
            work();
            return S_OK;
        } else {
            return work();
        }
    } catch (long hr) {
        return hr;
    } catch (const CAtlException& failure) {
        return failure.Result();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
