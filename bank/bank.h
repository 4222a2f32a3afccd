#pragma once
// CBank: the component's entry point. The host creates it, reads its name and asks it for its
// services.
#include "bank/bank_impl.h"
#include "bank/bank_services.h"
#include "server/class_factory.h"
#include "server/support_error_info.h"

class CBank : public ComObjectRoot,
              public CoClass<&CLSID_Bank>,
              public SupportErrorInfoImpl<&IID_IBank>,
              public IBankImpl<CBank, CBankServices> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IBank, &InterfaceOf<CBank, IBank>},
        {&IID_ITeskBank, &InterfaceOf<CBank, IBank>},
        {&IID_IDispatch, &InterfaceOf<CBank, IBank>},
        {&IID_ISupportErrorInfo, &InterfaceOf<CBank, ISupportErrorInfo>},
    };
};
