#pragma once
#include <oaidl.h>

// ISupportErrorInfo of a component class: error information is offered for its own dual
// interface only, not for the host's base interfaces or anything else.
template <const IID* OwnInterface>
class SupportErrorInfoImpl : public ISupportErrorInfo {
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
        return ::IsEqualIID(iid, *OwnInterface) ? S_OK : S_FALSE;
    }
};
