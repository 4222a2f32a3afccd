#pragma once
// CBankPaymentService: the payment service, position 0 of the service list. Its run, Process,
// turns the host's payments into an upload file.
#include "bank/bank_service_impl.h"
#include "server/class_factory.h"
#include "server/support_error_info.h"

class CBankPaymentService : public ComObjectRoot,
                            public CoClass<&CLSID_BankPaymentService>,
                            public SupportErrorInfoImpl<&IID_IBankPaymentService>,
                            public IBankServiceImpl<CBankPaymentService, IBankPaymentService> {
public:
    static constexpr char kName[] = "Bank Payment Service";

    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IBankPaymentService, &InterfaceOf<CBankPaymentService, IBankPaymentService>},
        {&IID_ITeskBankPaymentService, &InterfaceOf<CBankPaymentService, IBankPaymentService>},
        {&IID_IDispatch, &InterfaceOf<CBankPaymentService, IBankPaymentService>},
        {&IID_ISupportErrorInfo, &InterfaceOf<CBankPaymentService, ISupportErrorInfo>},
    };

    CBankPaymentService() : IBankServiceImpl(kName) {}

    // The text of a payment status code, from the string resources 300 + code.
    STDMETHODIMP StatusText(LONG code, BSTR* text) override;

    STDMETHODIMP Process(ITeskPayments* payments, ITeskServiceFilter* serviceFilter) override;
};
