#pragma once
// IDispatch of a dual interface, answered from the component's registered type library.
#include <windows.h>
#include <oaidl.h>

#include "platform/win32/unique_handles.h"
#include "server/type_library.h"

template <class Interface>
class DispatchImpl : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return ComponentTypeInfo(__uuidof(Interface), out);
    }

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!::IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        const HRESULT found = ComponentTypeInfo(__uuidof(Interface), info.Receive());
        if (FAILED(found)) return found;
        return info->GetIDsOfNames(names, count, ids);
    }

    STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
        if (!::IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        const HRESULT found = ComponentTypeInfo(__uuidof(Interface), info.Receive());
        if (FAILED(found)) return found;
        return info->Invoke(static_cast<Interface*>(this), member, flags, parameters, result, exception,
                            argumentError);
    }
};
