// When the component may be unloaded: the lock count across the lifetimes of its objects.
#include <gtest/gtest.h>

#include "tests/support/com_support.h"

namespace {

class UnloadTest : public ::testing::Test {
protected:
    HRESULT CanUnload() const { return module_.CanUnloadNow(); }

    template <class Interface>
    static ComPtr<Interface> Create(REFCLSID clsid, REFIID iid) {
        ComPtr<Interface> object;
        EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, ReceiveAsVoid(object)), S_OK);
        return object;
    }

    const com_test::ComponentModule module_;
};

TEST_F(UnloadTest, NothingAliveMeansUnloadable) { EXPECT_EQ(CanUnload(), S_OK); }

TEST_F(UnloadTest, EachKindOfObjectHoldsTheModule) {
    const CLSID* const classes[] = {&CLSID_Bank, &CLSID_BankServices, &CLSID_BankPaymentService,
                                    &CLSID_BankStatementService};
    for (const CLSID* clsid : classes) {
        auto object = Create<IUnknown>(*clsid, IID_IUnknown);
        EXPECT_EQ(CanUnload(), S_FALSE);
        object.Reset();
        EXPECT_EQ(CanUnload(), S_OK);
    }
}

TEST_F(UnloadTest, ListAndServicesHandedOutByTheBankHoldTheModuleAfterTheBankGoes) {
    auto bank = Create<IBank>(CLSID_Bank, IID_IBank);
    ComPtr<ITeskBankServices> list;
    ASSERT_EQ(bank->get_Services(list.Receive()), S_OK);
    VARIANT first;
    V_VT(&first) = VT_I4;
    V_I4(&first) = 0;
    ComPtr<ITeskBankService> service;
    ASSERT_EQ(list->get_Item(&first, service.Receive()), S_OK);
    bank.Reset();
    EXPECT_EQ(CanUnload(), S_FALSE);
    list.Reset();
    EXPECT_EQ(CanUnload(), S_FALSE) << "the service is still held";
    service.Reset();
    EXPECT_EQ(CanUnload(), S_OK);
}

TEST_F(UnloadTest, EnumeratorHoldsTheModuleThroughTheList) {
    auto list = Create<IBankServices>(CLSID_BankServices, IID_IBankServices);
    ComPtr<IUnknown> enumerator;
    ASSERT_EQ(list->get__NewEnum(enumerator.Receive()), S_OK);
    list.Reset();
    EXPECT_EQ(CanUnload(), S_FALSE);
    enumerator.Reset();
    EXPECT_EQ(CanUnload(), S_OK);
}

TEST_F(UnloadTest, ClassObjectHeldByAClientHoldsTheModule) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(module_.GetClassObject(CLSID_Bank, IID_IClassFactory, ReceiveAsVoid(factory)), S_OK);
    EXPECT_EQ(CanUnload(), S_FALSE);
    factory.Reset();
    EXPECT_EQ(CanUnload(), S_OK) << "the module's own cached reference does not count";
}

TEST_F(UnloadTest, ServerLockHoldsTheModule) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(module_.GetClassObject(CLSID_BankServices, IID_IClassFactory, ReceiveAsVoid(factory)), S_OK);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(CanUnload(), S_FALSE);
    ASSERT_EQ(module_.GetClassObject(CLSID_BankServices, IID_IClassFactory, ReceiveAsVoid(factory)), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(CanUnload(), S_OK);
}

}  // namespace
