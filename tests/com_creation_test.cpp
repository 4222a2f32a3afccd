// The registered component from outside: creation by class and ProgID, interface maps, error
// information support, class objects and aggregation.
#include <gtest/gtest.h>

#include "tests/support/com_support.h"
#include "tests/support/component_classes.h"

using com_test::ComponentClassInfo;
using com_test::HexText;
using com_test::kComponentClasses;
using com_test::Narrow;

namespace {

ComPtr<IUnknown> Create(REFCLSID clsid) {
    ComPtr<IUnknown> object;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, ReceiveAsVoid(object)), S_OK);
    return object;
}

TEST(ComponentClasses, CreatedByClassIdAndByBothProgIds) {
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Create(*c.clsid));
        for (const std::wstring& progId : {std::wstring(c.progId), std::wstring(c.progId) + L".1"}) {
            SCOPED_TRACE(Narrow(progId));
            CLSID found{};
            ASSERT_EQ(::CLSIDFromProgID(progId.c_str(), &found), S_OK);
            EXPECT_TRUE(::IsEqualCLSID(found, *c.clsid));
            EXPECT_TRUE(Create(found));
        }
    }
}

TEST(ComponentClasses, AnswerTheirInterfacesThroughOneVtable) {
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        const ComPtr<IUnknown> object = Create(*c.clsid);
        ASSERT_TRUE(object);
        void* own = nullptr;
        void* host = nullptr;
        void* dispatch = nullptr;
        ASSERT_EQ(object->QueryInterface(*c.ownInterface, &own), S_OK);
        ASSERT_EQ(object->QueryInterface(*c.hostInterface, &host), S_OK);
        ASSERT_EQ(object->QueryInterface(IID_IDispatch, &dispatch), S_OK);
        EXPECT_EQ(own, host);
        EXPECT_EQ(own, dispatch);
        for (void* p : {own, host, dispatch}) static_cast<IUnknown*>(p)->Release();
        const auto support = QueryAs<ISupportErrorInfo>(object.Get(), IID_ISupportErrorInfo);
        EXPECT_TRUE(support);
    }
}

TEST(ComponentClasses, RefuseEverythingElseWithNoInterface) {
    const IID* const foreign[] = {&IID_ITeskBankService, &IID_IClassFactory, &IID_IEnumVARIANT,  &IID_IPersist,
                                  &IID_IStream,           &IID_ITeskPayments, &IID_IConnectionPointContainer,
                                  &IID_IProvideClassInfo};
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        const ComPtr<IUnknown> object = Create(*c.clsid);
        ASSERT_TRUE(object);
        for (const IID* iid : foreign) {
            void* answer = reinterpret_cast<void*>(1);
            EXPECT_EQ(HexText(object->QueryInterface(*iid, &answer)), HexText(E_NOINTERFACE));
            EXPECT_EQ(answer, nullptr);
        }
        // Each class answers its own interfaces only, not another class's.
        for (const ComponentClassInfo& other : kComponentClasses) {
            if (&other == &c) continue;
            void* answer = nullptr;
            EXPECT_EQ(HexText(object->QueryInterface(*other.ownInterface, &answer)), HexText(E_NOINTERFACE))
                << other.name;
            EXPECT_EQ(HexText(object->QueryInterface(*other.hostInterface, &answer)), HexText(E_NOINTERFACE))
                << other.name;
        }
    }
}

TEST(ComponentClasses, OfferErrorInformationForTheirOwnInterfaceOnly) {
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        const auto support = QueryAs<ISupportErrorInfo>(Create(*c.clsid).Get(), IID_ISupportErrorInfo);
        ASSERT_TRUE(support);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*c.ownInterface), S_OK);
        for (const IID* iid : {c.hostInterface, &IID_IDispatch, &IID_IUnknown, &IID_ITeskBankService, &IID_IStream}) {
            EXPECT_EQ(support->InterfaceSupportsErrorInfo(*iid), S_FALSE);
        }
    }
}

TEST(ComponentClasses, ServiceListCreatedDirectlyHoldsBothServices) {
    ComPtr<IBankServices> list;
    ASSERT_EQ(::CoCreateInstance(CLSID_BankServices, nullptr, CLSCTX_INPROC_SERVER, IID_IBankServices,
                                 ReceiveAsVoid(list)),
              S_OK);
    LONG count = 0;
    ASSERT_EQ(list->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
}

TEST(ComponentClasses, PaymentServiceAnswersItsHostInterfaceButNotTheCommonBase) {
    const ComPtr<IUnknown> payment = Create(CLSID_BankPaymentService);
    EXPECT_TRUE(QueryAs<ITeskBankPaymentService>(payment.Get(), IID_ITeskBankPaymentService));
    EXPECT_FALSE(QueryAs<ITeskBankService>(payment.Get(), IID_ITeskBankService));
    EXPECT_FALSE(QueryAs<ITeskBankStatementService>(payment.Get(), IID_ITeskBankStatementService));
}

// A controlling object for aggregation tests: it answers IUnknown and counts its references.
class Outer : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (::IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    ULONG references = 1;
    IUnknown* inner = nullptr;
};

TEST(ComponentClasses, CanBeAggregatedAsIUnknownOnly) {
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        Outer outer;
        ComPtr<IUnknown> inner;
        ASSERT_EQ(::CoCreateInstance(*c.clsid, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, ReceiveAsVoid(inner)), S_OK);
        outer.inner = inner.Get();
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(outer.QueryInterface(IID_IDispatch, ReceiveAsVoid(dispatch)), S_OK);
        EXPECT_EQ(outer.references, 2u) << "the aggregate counts on the outer object";
        ComPtr<IUnknown> identity;
        dispatch->QueryInterface(IID_IUnknown, ReceiveAsVoid(identity));
        EXPECT_EQ(static_cast<void*>(identity.Get()), static_cast<void*>(&outer));
        identity.Reset();
        dispatch.Reset();
        EXPECT_EQ(outer.references, 1u);
        outer.inner = nullptr;
        inner.Reset();

        void* refused = reinterpret_cast<void*>(1);
        EXPECT_EQ(HexText(::CoCreateInstance(*c.clsid, &outer, CLSCTX_INPROC_SERVER, *c.ownInterface, &refused)),
                  HexText(CLASS_E_NOAGGREGATION));
    }
}

TEST(ClassObjects, AreCachedAndAnswerOnlyTheirClasses) {
    const com_test::ComponentModule module;
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        ComPtr<IClassFactory> first, second;
        ASSERT_EQ(module.GetClassObject(*c.clsid, IID_IClassFactory, ReceiveAsVoid(first)), S_OK);
        ASSERT_EQ(module.GetClassObject(*c.clsid, IID_IUnknown, ReceiveAsVoid(second)), S_OK);
        EXPECT_EQ(static_cast<IUnknown*>(first.Get()), static_cast<IUnknown*>(second.Get()));
        void* none = nullptr;
        EXPECT_EQ(first->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
        EXPECT_EQ(first->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(HexText(module.GetClassObject(IID_IBank, IID_IClassFactory, &none)), HexText(CLASS_E_CLASSNOTAVAILABLE));
}

}  // namespace
