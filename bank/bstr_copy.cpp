#include "bank/bstr_copy.h"

#include "common/cstring.h"
#include "common/errors.h"

std::function<BSTR(const char* bytes, UINT length)>& BstrAllocationHook() {
    static std::function<BSTR(const char*, UINT)> hook;
    return hook;
}

BSTR CopyBstr(BSTR text) {
    const char* bytes = reinterpret_cast<const char*>(text);
    const UINT length = ::SysStringByteLen(text);
    const auto& hook = BstrAllocationHook();
    BSTR copy = hook ? hook(bytes, length) : ::SysAllocStringByteLen(bytes, length);
    if (!copy) throw CAtlException(hresult::kOutOfMemory);
    return copy;
}

BSTR BstrFromAnsi(const char* text) { return CString(text).AllocSysString(); }
