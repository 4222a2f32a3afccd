// IDispatch of every class, served from the registered type library, and the library itself.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/component_classes.h"

using com_test::ComponentClassInfo;
using com_test::HexText;
using com_test::kComponentClasses;
using com_test::Narrow;

namespace {

ComPtr<IDispatch> CreateDispatch(REFCLSID clsid) {
    ComPtr<IDispatch> object;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, ReceiveAsVoid(object)), S_OK);
    return object;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return SUCCEEDED(hr) ? id : DISPID_UNKNOWN;
}

std::string TypeName(ITypeInfo* info) {
    UniqueBstr name;
    info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr);
    return Narrow(name.Get());
}

TEST(Dispatch, EveryClassServesItsOwnInterfaceDescription) {
    const char* const names[] = {"IBank", "IBankServices", "IBankPaymentService", "IBankStatementService"};
    for (std::size_t i = 0; i < std::size(kComponentClasses); ++i) {
        const ComponentClassInfo& c = kComponentClasses[i];
        SCOPED_TRACE(c.name);
        const ComPtr<IDispatch> object = CreateDispatch(*c.clsid);
        ASSERT_TRUE(object);
        UINT count = 0;
        EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive()), S_OK);
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
        EXPECT_TRUE(::IsEqualGUID(attributes->guid, *c.ownInterface));
        EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
        info->ReleaseTypeAttr(attributes);
        EXPECT_EQ(TypeName(info.Get()), names[i]);
        ComPtr<ITypeInfo> none;
        EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.Receive()), DISP_E_BADINDEX);
    }
}

TEST(Dispatch, NamesMapToTheirDispatchIds) {
    const std::map<std::wstring, DISPID> bank = {
        {L"Name", 1}, {L"Services", 2}, {L"Indicator", 3}, {L"RegisterConfiguration", 4}};
    const std::map<std::wstring, DISPID> list = {{L"Item", DISPID_VALUE}, {L"Count", 1}, {L"_NewEnum", DISPID_NEWENUM}};
    const std::map<std::wstring, DISPID> common = {
        {L"Name", 1}, {L"ResultCode", 2}, {L"ReservedQuery", 3}, {L"ReservedLookup", 4}, {L"StatusText", 5}};
    std::map<std::wstring, DISPID> payment = common;
    payment[L"Process"] = 101;
    std::map<std::wstring, DISPID> statement = common;
    statement[L"ImportStatement"] = 102;
    const std::map<std::wstring, DISPID>* const expected[] = {&bank, &list, &payment, &statement};
    for (std::size_t i = 0; i < std::size(kComponentClasses); ++i) {
        SCOPED_TRACE(kComponentClasses[i].name);
        const ComPtr<IDispatch> object = CreateDispatch(*kComponentClasses[i].clsid);
        for (const auto& [name, id] : *expected[i]) EXPECT_EQ(IdOf(object.Get(), name.c_str()), id) << Narrow(name);
        EXPECT_EQ(IdOf(object.Get(), L"NoSuchMember"), DISPID_UNKNOWN);
    }
}

TEST(Dispatch, OnlyTheDefaultInterfaceIdIsAccepted) {
    const ComPtr<IDispatch> bank = CreateDispatch(CLSID_Bank);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Name")};
    DISPID id = 0;
    EXPECT_EQ(bank->GetIDsOfNames(IID_IBank, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
    DISPPARAMS none = {};
    EXPECT_EQ(bank->Invoke(1, IID_IBank, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

// Invokes `member` with `arguments` given in call order.
HRESULT Call(IDispatch* object, DISPID member, WORD flags, std::vector<VARIANT> arguments, VARIANT* result,
             EXCEPINFO* exception = nullptr) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, exception, nullptr);
}

VARIANT Long(LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

TEST(Dispatch, InvokeReachesTheMethods) {
    const ComPtr<IDispatch> bank = CreateDispatch(CLSID_Bank);
    UniqueVariant name;
    ASSERT_EQ(Call(bank.Get(), 1, DISPATCH_PROPERTYGET, {}, &name.Get()), S_OK);
    ASSERT_EQ(V_VT(&name.Get()), VT_BSTR);
    EXPECT_EQ(Narrow(V_BSTR(&name.Get())), "Varrow Online");
    UniqueVariant indicator;
    ASSERT_EQ(Call(bank.Get(), 3, DISPATCH_PROPERTYGET, {}, &indicator.Get()), S_OK);
    EXPECT_EQ(V_I4(&indicator.Get()), 1);

    const ComPtr<IDispatch> payment = CreateDispatch(CLSID_BankPaymentService);
    ASSERT_EQ(Call(payment.Get(), 2, DISPATCH_PROPERTYPUT, {Long(-7)}, nullptr), S_OK);
    UniqueVariant code;
    ASSERT_EQ(Call(payment.Get(), 2, DISPATCH_PROPERTYGET, {}, &code.Get()), S_OK);
    EXPECT_EQ(V_I4(&code.Get()), -7);
    UniqueVariant text;
    ASSERT_EQ(Call(payment.Get(), 5, DISPATCH_METHOD, {Long(0)}, &text.Get()), S_OK);
    ASSERT_EQ(V_VT(&text.Get()), VT_BSTR);
    EXPECT_EQ(Narrow(V_BSTR(&text.Get())), "Payment processed successfully.");
}

TEST(Dispatch, FailuresArriveWithTheirDescription) {
    // A run without payments: the host's configuration names a folder that exists, so that no
    // message box waits for a user before the run refuses the null argument.
    substitute_host::Reset();
    substitute_host::SetExportLocation("pay", "txt", "C:\\");
    const ComPtr<IDispatch> payment = CreateDispatch(CLSID_BankPaymentService);
    VARIANT nothing;
    V_VT(&nothing) = VT_DISPATCH;
    V_DISPATCH(&nothing) = nullptr;
    EXCEPINFO exception = {};
    UniqueVariant result;
    const HRESULT hr = Call(payment.Get(), 101, DISPATCH_METHOD, {nothing, nothing}, &result.Get(), &exception);
    EXPECT_EQ(HexText(hr), HexText(DISP_E_EXCEPTION));
    EXPECT_EQ(HexText(exception.scode), "0x800AFFFC");
    EXPECT_EQ(Narrow(exception.bstrDescription), "Invalid argument");
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrHelpFile);
}

ComPtr<ITypeLib> RegisteredLibrary() {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(::LoadRegTypeLib(LIBID_TESKVARROWINTERNETBANKINGLib, 1, 0, 1033, library.Receive()), S_OK);
    return library;
}

TEST(TypeLibrary, IsRegisteredWithItsIdentity) {
    const ComPtr<ITypeLib> library = RegisteredLibrary();
    ASSERT_TRUE(library);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(::IsEqualGUID(attributes->guid, LIBID_TESKVARROWINTERNETBANKINGLib));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 1033u);
    library->ReleaseTLibAttr(attributes);
    UniqueBstr name, help;
    ASSERT_EQ(library->GetDocumentation(-1, name.Receive(), help.Receive(), nullptr, nullptr), S_OK);
    EXPECT_EQ(Narrow(name.Get()), "TESKVARROWINTERNETBANKINGLib");
    EXPECT_EQ(Narrow(help.Get()), "TeskVarrowInternetBanking 1.0 Type Library");
}

TEST(TypeLibrary, DescribesTheFourClasses) {
    const ComPtr<ITypeLib> library = RegisteredLibrary();
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfoOfGuid(*c.clsid, info.Receive()), S_OK);
        UniqueBstr name, help;
        info->GetDocumentation(MEMBERID_NIL, name.Receive(), help.Receive(), nullptr, nullptr);
        EXPECT_EQ(Narrow(name.Get()), c.name);
        EXPECT_EQ(Narrow(help.Get()), Narrow(c.description));
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
        EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
        info->ReleaseTypeAttr(attributes);
        HREFTYPE reference = 0;
        ASSERT_EQ(info->GetRefTypeOfImplType(0, &reference), S_OK);
        ComPtr<ITypeInfo> implemented;
        ASSERT_EQ(info->GetRefTypeInfo(reference, implemented.Receive()), S_OK);
        ASSERT_EQ(implemented->GetTypeAttr(&attributes), S_OK);
        EXPECT_TRUE(::IsEqualGUID(attributes->guid, *c.ownInterface));
        implemented->ReleaseTypeAttr(attributes);
    }
}

// The names of an interface's members with their dispatch ids and kinds ("get", "put", "call").
std::map<std::string, std::vector<std::string>> Members(ITypeLib* library, REFIID iid) {
    std::map<std::string, std::vector<std::string>> members;
    ComPtr<ITypeInfo> info;
    if (FAILED(library->GetTypeInfoOfGuid(iid, info.Receive()))) return members;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const bool dispatchView = attributes->typekind == TKIND_DISPATCH;
    info->ReleaseTypeAttr(attributes);
    if (dispatchView) {
        // The vtable view lists only the interface's own members.
        HREFTYPE vtableView = 0;
        ComPtr<ITypeInfo> own;
        if (FAILED(info->GetRefTypeOfImplType(-1, &vtableView)) ||
            FAILED(info->GetRefTypeInfo(vtableView, own.Receive())))
            return members;
        info = std::move(own);
    }
    info->GetTypeAttr(&attributes);
    const WORD count = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(i, &function);
        UniqueBstr name;
        info->GetDocumentation(function->memid, name.Receive(), nullptr, nullptr, nullptr);
        const char* kind = function->invkind == INVOKE_PROPERTYGET ? "get"
                           : function->invkind == INVOKE_FUNC      ? "call"
                                                                   : "put";
        members[Narrow(name.Get())].push_back(std::string(kind) + " " + std::to_string(function->memid));
        info->ReleaseFuncDesc(function);
    }
    return members;
}

TEST(TypeLibrary, PaymentInterfacesCarryTheirDispatchIds) {
    const ComPtr<ITypeLib> library = RegisteredLibrary();
    using MemberMap = std::map<std::string, std::vector<std::string>>;
    // The library keeps one spelling of a name for all its interfaces, and the service list's
    // _NewEnum comes first; names are matched without regard to case.
    const MemberMap payments = {{"Item", {"get 0"}},  {"Count", {"get 1"}},      {"Add", {"call 2"}},
                                {"Clear", {"call 3"}}, {"_NewEnum", {"get -4"}}};
    EXPECT_EQ(Members(library.Get(), IID_ITeskPayments), payments);
    const char* const properties[] = {"Value", "PayerBankBACSReference", "PayerBankSortCode", "PayerBankAccountNumber",
                                      "PayerBankAccountName", "PayerBuildingSocietyRollNumber",
                                      "PayeeBankBACSReference", "PayeeBankSortCode", "PayeeBankAccountNumber",
                                      "PayeeBankAccountName", "PayeeBuildingSocietyRollNumber", "Reference", "Details",
                                      "Currency", "Date", "Status", "ClientReference"};
    MemberMap payment;
    for (int i = 0; i < 17; ++i) {
        const std::string id = std::to_string(i + 1);
        payment[properties[i]] = {"get " + id, "put " + id};
    }
    EXPECT_EQ(Members(library.Get(), IID_ITeskPayment), payment);
    const MemberMap paymentService = {{"Process", {"call 101"}}};
    EXPECT_EQ(Members(library.Get(), IID_ITeskBankPaymentService), paymentService);
}

TEST(TypeLibrary, ProcessTakesThePaymentsAndTheServiceFilter) {
    const ComPtr<ITypeLib> library = RegisteredLibrary();
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ITeskBankPaymentService, info.Receive()), S_OK);
    BSTR names[3] = {};
    UINT count = 0;
    ASSERT_EQ(info->GetNames(101, names, 3, &count), S_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(Narrow(names[0]), "Process");
    EXPECT_EQ(Narrow(names[1]), "Payments");
    EXPECT_EQ(Narrow(names[2]), "ServiceFilter");
    for (BSTR name : names) ::SysFreeString(name);
}

}  // namespace
