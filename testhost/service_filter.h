#pragma once
// The substitutes for the host's service filter and the account it hands out.
#include <optional>
#include <string>

#include "testhost/substitute_object.h"

class SubstituteFilterAccount : public SubstituteObject<ITeskFilterAccount, HostObjectKind::FilterAccount> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskFilterAccount, &InterfaceOf<SubstituteFilterAccount, ITeskFilterAccount>},
        {&IID_IDispatch, &InterfaceOf<SubstituteFilterAccount, ITeskFilterAccount>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteFilterAccount, ISupportErrorInfo>},
    };

    SubstituteFilterAccount(std::optional<std::wstring> sortCode, std::optional<std::wstring> accountNumber)
        : SubstituteObject(L"FilterAccount"), sortCode_(std::move(sortCode)), accountNumber_(std::move(accountNumber)) {}

    STDMETHODIMP get_SortCode(BSTR* sortCode) override;
    STDMETHODIMP Reserved2() override { return Respond(2, L"Reserved2()"); }
    STDMETHODIMP Reserved3() override { return Respond(3, L"Reserved3()"); }
    STDMETHODIMP Reserved4() override { return Respond(4, L"Reserved4()"); }
    STDMETHODIMP get_AccountNumber(BSTR* accountNumber) override;

private:
    std::optional<std::wstring> sortCode_;
    std::optional<std::wstring> accountNumber_;
};

class SubstituteServiceFilter : public SubstituteObject<ITeskServiceFilter, HostObjectKind::ServiceFilter> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskServiceFilter, &InterfaceOf<SubstituteServiceFilter, ITeskServiceFilter>},
        {&IID_IDispatch, &InterfaceOf<SubstituteServiceFilter, ITeskServiceFilter>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteServiceFilter, ISupportErrorInfo>},
    };

    SubstituteServiceFilter(std::optional<std::wstring> sortCode, std::optional<std::wstring> accountNumber)
        : SubstituteObject(L"ServiceFilter"), sortCode_(std::move(sortCode)), accountNumber_(std::move(accountNumber)) {}

    // A new FilterAccount for the filter's account each time.
    STDMETHODIMP get_Account(ITeskFilterAccount** account) override;

private:
    std::optional<std::wstring> sortCode_;
    std::optional<std::wstring> accountNumber_;
};
