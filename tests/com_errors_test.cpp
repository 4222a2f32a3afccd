// The error convention through the real component: what a caller receives, and what is left on
// its thread, for each way a method can fail.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::TakeErrorDescription;

namespace {

template <class Interface>
ComPtr<Interface> Create(REFCLSID clsid, REFIID iid) {
    ComPtr<Interface> object;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, ReceiveAsVoid(object)), S_OK);
    return object;
}

class ErrorConventionTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        com_test::ClearErrorInfo();
        bank_ = Create<IBank>(CLSID_Bank, IID_IBank);
        list_ = Create<IBankServices>(CLSID_BankServices, IID_IBankServices);
        payment_ = Create<IBankPaymentService>(CLSID_BankPaymentService, IID_IBankPaymentService);
        statement_ = Create<IBankStatementService>(CLSID_BankStatementService, IID_IBankStatementService);
    }
    void TearDown() override { substitute_host::Reset(); }

    ComPtr<IBank> bank_;
    ComPtr<IBankServices> list_;
    ComPtr<IBankPaymentService> payment_;
    ComPtr<IBankStatementService> statement_;
};

TEST_F(ErrorConventionTest, EveryNullOutPointerReturnsInvalidArgumentWithItsDescription) {
    VARIANT first;
    V_VT(&first) = VT_I4;
    V_I4(&first) = 0;
    const std::pair<const char*, std::function<HRESULT()>> calls[] = {
        {"Bank.Name", [&] { return bank_->get_Name(nullptr); }},
        {"Bank.Services", [&] { return bank_->get_Services(nullptr); }},
        {"Bank.Indicator", [&] { return bank_->get_Indicator(nullptr); }},
        {"List.Item", [&] { return list_->get_Item(&first, nullptr); }},
        {"List.Count", [&] { return list_->get_Count(nullptr); }},
        {"List._NewEnum", [&] { return list_->get__NewEnum(nullptr); }},
        {"Payment.Name", [&] { return payment_->get_Name(nullptr); }},
        {"Payment.ResultCode", [&] { return payment_->get_ResultCode(nullptr); }},
        {"Payment.ReservedQuery", [&] { return payment_->ReservedQuery(nullptr); }},
        {"Payment.ReservedLookup", [&] { return payment_->ReservedLookup(5, nullptr); }},
        {"Payment.StatusText", [&] { return payment_->StatusText(0, nullptr); }},
        {"Statement.Name", [&] { return statement_->get_Name(nullptr); }},
        {"Statement.ResultCode", [&] { return statement_->get_ResultCode(nullptr); }},
        {"Statement.ReservedQuery", [&] { return statement_->ReservedQuery(nullptr); }},
        {"Statement.ReservedLookup", [&] { return statement_->ReservedLookup(5, nullptr); }},
        {"Statement.StatusText", [&] { return statement_->StatusText(0, nullptr); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        EXPECT_EQ(HexText(call()), "0x800AFFFC");
        EXPECT_EQ(Narrow(TakeErrorDescription().value_or(L"<none>")), "Invalid argument");
    }
}

TEST_F(ErrorConventionTest, HostCallFailingWithErrorInformationLeavesNoErrorObjectOnTheThread) {
    substitute_host::FailMethod(HostObjectKind::BankConfiguration, 1, E_ACCESSDENIED, L"configuration is locked");
    EXPECT_EQ(HexText(bank_->RegisterConfiguration(0)), "0x80020009");
    EXPECT_FALSE(TakeErrorDescription().has_value());
    const std::vector<std::string> expected = {
        "BankConfiguration created",
        "BankConfiguration.1 RegisterBank(char[1024] \"Varrow Online\", 3) -> 0x80070005",
        "BankConfiguration released",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(ErrorConventionTest, HostCallFailingWithoutErrorInformationAlsoReturnsDispException) {
    substitute_host::FailMethod(HostObjectKind::BankConfiguration, 1, E_FAIL);
    EXPECT_EQ(HexText(bank_->RegisterConfiguration(0)), "0x80020009");
    EXPECT_FALSE(TakeErrorDescription().has_value());
}

TEST_F(ErrorConventionTest, HostObjectThatCannotBeCreatedFailsAtItsFirstUse) {
    substitute_host::FailCreation(HostObjectKind::BankConfiguration, E_OUTOFMEMORY);
    EXPECT_EQ(HexText(bank_->RegisterConfiguration(0)), "0x80020009");
    EXPECT_FALSE(TakeErrorDescription().has_value());
    const std::vector<std::string> expected = {"BankConfiguration creation -> 0x8007000E"};
    EXPECT_EQ(substitute_host::Calls(), expected);
}

// Takes the substitute host's classes out of the registry for one test.
class SubstituteHostUnregistered {
public:
    SubstituteHostUnregistered() { EXPECT_EQ(Call("DllUnregisterServer"), S_OK); }
    ~SubstituteHostUnregistered() { EXPECT_EQ(Call("DllRegisterServer"), S_OK); }

private:
    static HRESULT Call(const char* name) {
        const auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"SubstituteHost.dll"), name)));
        return function ? function() : E_FAIL;
    }
};

TEST_F(ErrorConventionTest, BankWithoutARegisteredConfigurationClassFailsAndStaysUsable) {
    {
        const SubstituteHostUnregistered absent;
        EXPECT_EQ(HexText(bank_->RegisterConfiguration(0)), "0x80020009");
        EXPECT_FALSE(TakeErrorDescription().has_value());
    }
    EXPECT_EQ(Narrow(com_test::ReadText(bank_.Get(), &IBank::get_Name)), "Varrow Online");
    LONG indicator = 0;
    EXPECT_EQ(bank_->get_Indicator(&indicator), S_OK);
    EXPECT_EQ(indicator, 1);
    EXPECT_EQ(bank_->RegisterConfiguration(0), S_OK);
}

}  // namespace
