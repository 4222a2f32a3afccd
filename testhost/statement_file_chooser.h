#pragma once
// The substitute for the host's StatementFileChooser class. Choose offers the scripted candidate
// files to the recogniser that the component put in front of the chooser block.
#include "testhost/substitute_object.h"

class SubstituteStatementFileChooser
    : public SubstituteObject<ITeskStatementFileChooser, HostObjectKind::StatementFileChooser> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskStatementFileChooser, &InterfaceOf<SubstituteStatementFileChooser, ITeskStatementFileChooser>},
        {&IID_IDispatch, &InterfaceOf<SubstituteStatementFileChooser, ITeskStatementFileChooser>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteStatementFileChooser, ISupportErrorInfo>},
    };

    SubstituteStatementFileChooser() : SubstituteObject(L"StatementFileChooser") {}
    ~SubstituteStatementFileChooser();

    void FinalConstruct();

    STDMETHODIMP Choose(unsigned char* chooserBlock) override;
    STDMETHODIMP Reserved2() override { return Respond(2, L"Reserved2()"); }
    STDMETHODIMP Reserved3() override { return Respond(3, L"Reserved3()"); }
    STDMETHODIMP GetChosenPath(BSTR* path) override;
    STDMETHODIMP GetOutcome(LONG* outcome) override;

private:
    bool created_ = false;
};
