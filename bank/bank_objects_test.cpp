// The bank classes created directly, without registration: what needs hooks or watching the
// module's lock count from inside.
#include <gtest/gtest.h>

#include "bank/bank.h"
#include "bank/bstr_copy.h"
#include "platform/hook.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::ReadText;

namespace {

class BankObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        baseline_ = ModuleLockCount();
        com_test::ClearErrorInfo();
    }
    long Locks() const { return ModuleLockCount() - baseline_; }

    static ComPtr<IBankServices> Services(IBank* bank) {
        ComPtr<ITeskBankServices> services;
        EXPECT_EQ(bank->get_Services(services.Receive()), S_OK);
        return QueryAs<IBankServices>(services.Get(), IID_IBankServices);
    }

private:
    long baseline_ = 0;
};

TEST_F(BankObjectsTest, BankReleasesItsListButTheListLivesOnWhileHeld) {
    ComPtr<IBankServices> services;
    {
        auto bank = CreateComObject<CBank>();
        services = Services(bank.Get());
        EXPECT_EQ(Locks(), 4) << "bank, list and two services";
    }
    EXPECT_EQ(Locks(), 3);
    LONG count = 0;
    EXPECT_EQ(services->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
    services.Reset();
    EXPECT_EQ(Locks(), 0);
}

TEST_F(BankObjectsTest, EnumeratorKeepsTheListAliveAfterEveryoneElseLetGo) {
    ComPtr<IEnumVARIANT> enumerator;
    {
        auto list = CreateComObject<CBankServices>();
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(list->get__NewEnum(unknown.Receive()), S_OK);
        enumerator = QueryAs<IEnumVARIANT>(unknown.Get(), IID_IEnumVARIANT);
        ASSERT_TRUE(enumerator);
    }
    EXPECT_EQ(Locks(), 3) << "the list and its services stay while the enumerator walks them";
    VARIANT elements[2];
    ULONG fetched = 0;
    ASSERT_EQ(enumerator->Next(2, elements, &fetched), S_OK);
    ASSERT_EQ(fetched, 2u);
    const char* const expected[] = {"Bank Payment Service", "Bank Reconciliation Service"};
    for (int i = 0; i < 2; ++i) {
        UniqueVariant element(elements[i]);
        ASSERT_EQ(V_VT(&element.Get()), VT_DISPATCH);
        const auto service = QueryAs<ITeskBankService>(V_DISPATCH(&element.Get()), IID_ITeskBankService);
        // The services do not answer the common base on its own; ask through the dual interface.
        const auto dual = QueryAs<IDispatch>(V_DISPATCH(&element.Get()), IID_IDispatch);
        EXPECT_FALSE(service);
        EXPECT_EQ(Narrow(ReadText(static_cast<ITeskBankService*>(dual.Get()), &ITeskBankService::get_Name)),
                  expected[i]);
    }
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(enumerator->Clone(clone.Receive()), S_OK);
    enumerator.Reset();
    EXPECT_EQ(Locks(), 3) << "the clone holds the list too";
    clone.Reset();
    EXPECT_EQ(Locks(), 0);
}

TEST_F(BankObjectsTest, NameThatCannotBeCopiedFailsInsteadOfReadingAsEmpty) {
    auto bank = CreateComObject<CBank>();
    const ComPtr<IBankServices> services = Services(bank.Get());
    ComPtr<ITeskBankService> payment;
    UniqueVariant first;
    V_VT(&first.Get()) = VT_I4;
    V_I4(&first.Get()) = 0;
    ASSERT_EQ(services->get_Item(&first.Get(), payment.Receive()), S_OK);

    const platform::ScopedHook<BSTR(const char*, UINT)> failing(BstrAllocationHook(),
                                                                [](const char*, UINT) { return BSTR(nullptr); });
    UniqueBstr name;
    EXPECT_EQ(HexText(bank->get_Name(name.Receive())), "0x8000FFFF");
    EXPECT_FALSE(name);
    EXPECT_FALSE(com_test::TakeErrorDescription().has_value());
    EXPECT_EQ(HexText(payment->get_Name(name.Receive())), "0x8000FFFF");
    EXPECT_FALSE(name);
    EXPECT_FALSE(com_test::TakeErrorDescription().has_value());
}

TEST_F(BankObjectsTest, NameCopyKeepsTheByteLength) {
    auto bank = CreateComObject<CBank>();
    UniqueBstr name;
    ASSERT_EQ(bank->get_Name(name.Receive()), S_OK);
    EXPECT_EQ(::SysStringByteLen(name.Get()), sizeof(L"Varrow Online") - sizeof(wchar_t));
    EXPECT_EQ(Narrow(name.Get()), "Varrow Online");
}

}  // namespace
