#pragma once
// The substitute for the host's BankConfiguration class.
#include "host/host_classes.h"
#include "testhost/substitute_object.h"

class SubstituteBankConfiguration
    : public SubstituteObject<ITeskBankConfiguration, HostObjectKind::BankConfiguration> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskBankConfiguration, &InterfaceOf<SubstituteBankConfiguration, ITeskBankConfiguration>},
        {&IID_IDispatch, &InterfaceOf<SubstituteBankConfiguration, ITeskBankConfiguration>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteBankConfiguration, ISupportErrorInfo>},
    };

    SubstituteBankConfiguration() : SubstituteObject(L"BankConfiguration") {}
    ~SubstituteBankConfiguration();

    // Fails as scripted; otherwise records the creation.
    void FinalConstruct();

    STDMETHODIMP RegisterBank(char* bankName, LONG kind) override;
    STDMETHODIMP PrepareStatementChooser(char* bankName, unsigned char* chooserBlock) override;
    STDMETHODIMP GetPaymentExportLocation(char* bankName, char* fileName, char* extension, char* directory) override;

private:
    bool created_ = false;
};

// What PrepareStatementChooser leaves in byte `index` of the block; the chooser checks that
// the component changed nothing but the recogniser in front.
unsigned char PreparedChooserByte(std::size_t index);
