#pragma once
// CBankServices: the bank's list of services. Built on creation with the payment service at
// position 0 and the statement service at position 1.
#include "bank/bank_services_impl.h"
#include "server/class_factory.h"
#include "server/support_error_info.h"

class CBankServices : public ComObjectRoot,
                      public CoClass<&CLSID_BankServices>,
                      public SupportErrorInfoImpl<&IID_IBankServices>,
                      public IBankServicesImpl<CBankServices> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IDispatch, &InterfaceOf<CBankServices, IBankServices>},
        {&IID_ISupportErrorInfo, &InterfaceOf<CBankServices, ISupportErrorInfo>},
        {&IID_IBankServices, &InterfaceOf<CBankServices, IBankServices>},
        {&IID_ITeskBankServices, &InterfaceOf<CBankServices, IBankServices>},
    };

    // Fills the list; raises the HRESULT of the first step that fails.
    void FinalConstruct();
};
