#pragma once
// The substitutes for the host's payment collection and its payments. Each payment is named by
// its index in the collection, Payment[0], Payment[1], ...; its methods are numbered get = 2k-1,
// put = 2k for property k (Value = 1 .. ClientReference = 17), so Status is get 31, put 32.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "testhost/substitute_object.h"

class SubstitutePayment : public SubstituteObject<ITeskPayment, HostObjectKind::Payment> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskPayment, &InterfaceOf<SubstitutePayment, ITeskPayment>},
        {&IID_IDispatch, &InterfaceOf<SubstitutePayment, ITeskPayment>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstitutePayment, ISupportErrorInfo>},
    };

    explicit SubstitutePayment(long index) : SubstituteObject(L"Payment[" + std::to_wstring(index) + L"]") {}

    STDMETHODIMP get_Value(DOUBLE* value) override;
    STDMETHODIMP put_Value(DOUBLE value) override;
    STDMETHODIMP get_PayerBankBACSReference(BSTR* value) override { return GetText(2, L"PayerBankBACSReference", value); }
    STDMETHODIMP put_PayerBankBACSReference(BSTR value) override { return PutText(2, L"PayerBankBACSReference", value); }
    STDMETHODIMP get_PayerBankSortCode(BSTR* value) override { return GetText(3, L"PayerBankSortCode", value); }
    STDMETHODIMP put_PayerBankSortCode(BSTR value) override { return PutText(3, L"PayerBankSortCode", value); }
    STDMETHODIMP get_PayerBankAccountNumber(BSTR* value) override { return GetText(4, L"PayerBankAccountNumber", value); }
    STDMETHODIMP put_PayerBankAccountNumber(BSTR value) override { return PutText(4, L"PayerBankAccountNumber", value); }
    STDMETHODIMP get_PayerBankAccountName(BSTR* value) override { return GetText(5, L"PayerBankAccountName", value); }
    STDMETHODIMP put_PayerBankAccountName(BSTR value) override { return PutText(5, L"PayerBankAccountName", value); }
    STDMETHODIMP get_PayerBuildingSocietyRollNumber(BSTR* value) override { return GetText(6, L"PayerBuildingSocietyRollNumber", value); }
    STDMETHODIMP put_PayerBuildingSocietyRollNumber(BSTR value) override { return PutText(6, L"PayerBuildingSocietyRollNumber", value); }
    STDMETHODIMP get_PayeeBankBACSReference(BSTR* value) override { return GetText(7, L"PayeeBankBACSReference", value); }
    STDMETHODIMP put_PayeeBankBACSReference(BSTR value) override { return PutText(7, L"PayeeBankBACSReference", value); }
    STDMETHODIMP get_PayeeBankSortCode(BSTR* value) override { return GetText(8, L"PayeeBankSortCode", value); }
    STDMETHODIMP put_PayeeBankSortCode(BSTR value) override { return PutText(8, L"PayeeBankSortCode", value); }
    STDMETHODIMP get_PayeeBankAccountNumber(BSTR* value) override { return GetText(9, L"PayeeBankAccountNumber", value); }
    STDMETHODIMP put_PayeeBankAccountNumber(BSTR value) override { return PutText(9, L"PayeeBankAccountNumber", value); }
    STDMETHODIMP get_PayeeBankAccountName(BSTR* value) override { return GetText(10, L"PayeeBankAccountName", value); }
    STDMETHODIMP put_PayeeBankAccountName(BSTR value) override { return PutText(10, L"PayeeBankAccountName", value); }
    STDMETHODIMP get_PayeeBuildingSocietyRollNumber(BSTR* value) override { return GetText(11, L"PayeeBuildingSocietyRollNumber", value); }
    STDMETHODIMP put_PayeeBuildingSocietyRollNumber(BSTR value) override { return PutText(11, L"PayeeBuildingSocietyRollNumber", value); }
    STDMETHODIMP get_Reference(BSTR* value) override { return GetText(12, L"Reference", value); }
    STDMETHODIMP put_Reference(BSTR value) override { return PutText(12, L"Reference", value); }
    STDMETHODIMP get_Details(BSTR* value) override { return GetText(13, L"Details", value); }
    STDMETHODIMP put_Details(BSTR value) override { return PutText(13, L"Details", value); }
    STDMETHODIMP get_Currency(SHORT* value) override;
    STDMETHODIMP put_Currency(SHORT value) override;
    STDMETHODIMP get_Date(DATE* value) override;
    STDMETHODIMP put_Date(DATE value) override;
    STDMETHODIMP get_Status(LONG* value) override;
    STDMETHODIMP put_Status(LONG value) override;
    STDMETHODIMP get_ClientReference(VARIANT* value) override;
    STDMETHODIMP put_ClientReference(VARIANT* value) override;

private:
    // Text properties 2 (PayerBankBACSReference) to 13 (Details); a null BSTR is kept as none.
    HRESULT GetText(int property, const wchar_t* name, BSTR* value);
    HRESULT PutText(int property, const wchar_t* name, BSTR value);

    double value_ = 0;
    std::array<std::optional<std::wstring>, 12> texts_;
    SHORT currency_ = 0;
    DATE date_ = 0;
    LONG status_ = 0;
    UniqueVariant clientReference_;
};

class SubstitutePayments : public SubstituteObject<ITeskPayments, HostObjectKind::Payments> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskPayments, &InterfaceOf<SubstitutePayments, ITeskPayments>},
        {&IID_IDispatch, &InterfaceOf<SubstitutePayments, ITeskPayments>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstitutePayments, ISupportErrorInfo>},
    };

    SubstitutePayments() : SubstituteObject(L"Payments") {}

    STDMETHODIMP get_Item(LONG index, ITeskPayment** payment) override;
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Add(ITeskPayment** payment) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP get__newenum(IUnknown** enumerator) override;

    // Appends a payment without recording a call (setting up a test).
    void Append();

private:
    std::vector<ComPtr<ITeskPayment>> payments_;
};
