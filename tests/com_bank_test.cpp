// The bank object through the registered component.
#include <gtest/gtest.h>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"

using com_test::Narrow;

namespace {

ComPtr<IBank> CreateBank() {
    ComPtr<IBank> bank;
    EXPECT_EQ(::CoCreateInstance(CLSID_Bank, nullptr, CLSCTX_INPROC_SERVER, IID_IBank, ReceiveAsVoid(bank)), S_OK);
    return bank;
}

LONG Indicator(IBank* bank) {
    LONG value = 0;
    EXPECT_EQ(bank->get_Indicator(&value), S_OK);
    return value;
}

TEST(Bank, IsCalledVarrowOnline) {
    const ComPtr<IBank> bank = CreateBank();
    EXPECT_EQ(Narrow(com_test::ReadText(bank.Get(), &IBank::get_Name)), "Varrow Online");
}

TEST(Bank, HandsOutTheSameListEachTimeWithItsOwnReference) {
    const ComPtr<IBank> bank = CreateBank();
    ComPtr<ITeskBankServices> first, second;
    ASSERT_EQ(bank->get_Services(first.Receive()), S_OK);
    ASSERT_EQ(bank->get_Services(second.Receive()), S_OK);
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_TRUE(QueryAs<IBankServices>(first.Get(), IID_IBankServices));
    // Both references are real: dropping one leaves the other usable.
    first.Reset();
    LONG count = 0;
    EXPECT_EQ(second->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
}

TEST(Bank, IndicatorIsOneBeforeAndAfterEverything) {
    substitute_host::Reset();
    const ComPtr<IBank> bank = CreateBank();
    EXPECT_EQ(Indicator(bank.Get()), 1);
    ComPtr<ITeskBankServices> services;
    bank->get_Services(services.Receive());
    EXPECT_EQ(Indicator(bank.Get()), 1);
    EXPECT_EQ(bank->RegisterConfiguration(0), S_OK);
    EXPECT_EQ(Indicator(bank.Get()), 1);
}

TEST(Bank, RegisterConfigurationHandsTheNameToTheHostsConfiguration) {
    substitute_host::Reset();
    const ComPtr<IBank> bank = CreateBank();
    EXPECT_EQ(bank->RegisterConfiguration(12345), S_OK);
    const std::vector<std::string> expected = {
        "BankConfiguration created",
        "BankConfiguration.1 RegisterBank(char[1024] \"Varrow Online\", 3)",
        "BankConfiguration released",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

}  // namespace
