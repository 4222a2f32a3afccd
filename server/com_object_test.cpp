#include "server/com_object.h"

#include <gtest/gtest.h>

#include "server/class_factory.h"
#include "tests/support/com_support.h"

using com_test::HexText;

namespace {

// A class with two interfaces; its construction step can be told to fail.
class CSample : public ComObjectRoot, public IPersist, public ISupportErrorInfo {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IPersist, &InterfaceOf<CSample, IPersist>},
        {&IID_ISupportErrorInfo, &InterfaceOf<CSample, ISupportErrorInfo>},
    };
    static HRESULT& ConstructionFailure() {
        static HRESULT failure = S_OK;
        return failure;
    }
    void FinalConstruct() {
        if (FAILED(ConstructionFailure())) throw static_cast<long>(ConstructionFailure());
    }
    STDMETHODIMP GetClassID(CLSID* clsid) override {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_FALSE; }
};

// An outer object that counts the calls its inner object delegates to it.
class CountingOuter : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        ++queries;
        if (!::IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    ULONG references = 1;
    int queries = 0;
};

class ComObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        CSample::ConstructionFailure() = S_OK;
        baseline_ = ModuleLockCount();
    }
    long Locks() const { return ModuleLockCount() - baseline_; }

private:
    long baseline_ = 0;
};

TEST_F(ComObjectTest, InterfaceMapAnswersInTableOrderAndIUnknownIsTheFirstEntry) {
    auto object = CreateComObject<CSample>();
    IPersist* const persist = object.Get();
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(object->QueryInterface(IID_IUnknown, ReceiveAsVoid(unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(persist));
    ComPtr<ISupportErrorInfo> support;
    EXPECT_EQ(object->QueryInterface(IID_ISupportErrorInfo, ReceiveAsVoid(support)), S_OK);
    void* stream = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IStream, &stream), E_NOINTERFACE);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(object->QueryInterface(IID_IPersist, nullptr), E_POINTER);
}

TEST_F(ComObjectTest, InstancesHoldTheModuleForTheirLifetime) {
    {
        auto first = CreateComObject<CSample>();
        auto second = CreateComObject<CSample>();
        EXPECT_EQ(Locks(), 2);
        EXPECT_EQ(first->AddRef(), 2u);
        EXPECT_EQ(first->Release(), 1u);
    }
    EXPECT_EQ(Locks(), 0);
}

TEST_F(ComObjectTest, ClassObjectLocksTheModuleOnlyWhileAClientHoldsIt) {
    IClassFactory* const cached = ClassFactory<CSample>::CreateCached();
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(Locks(), 0);
    ComPtr<IClassFactory> client;
    ASSERT_EQ(cached->QueryInterface(IID_IClassFactory, ReceiveAsVoid(client)), S_OK);
    EXPECT_EQ(Locks(), 1);
    client->AddRef();
    EXPECT_EQ(Locks(), 1);
    client->Release();
    client.Reset();
    EXPECT_EQ(Locks(), 0);
    EXPECT_EQ(cached->Release(), 0u);
    EXPECT_EQ(Locks(), 0);
}

TEST_F(ComObjectTest, LockServerCountsUpAndDown) {
    IClassFactory* const factory = ClassFactory<CSample>::CreateCached();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Locks(), 2);
    factory->LockServer(FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(Locks(), 0);
    factory->Release();
}

TEST_F(ComObjectTest, CreateInstanceChecksItsArguments) {
    IClassFactory* const factory = ClassFactory<CSample>::CreateCached();
    CountingOuter outer;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, nullptr), E_POINTER);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(HexText(factory->CreateInstance(&outer, IID_IPersist, &out)), HexText(CLASS_E_NOAGGREGATION));
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IStream, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Locks(), 0) << "the refused object is gone";
    factory->Release();
}

TEST_F(ComObjectTest, FailedConstructionStepReturnsItsResultAndDestroysTheObject) {
    IClassFactory* const factory = ClassFactory<CSample>::CreateCached();
    CSample::ConstructionFailure() = E_OUTOFMEMORY;
    ComPtr<IPersist> object;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, ReceiveAsVoid(object)), E_OUTOFMEMORY);
    EXPECT_FALSE(object);
    EXPECT_EQ(Locks(), 0);
    factory->Release();
}

TEST_F(ComObjectTest, AggregatedObjectDelegatesItsIUnknownToTheOuterObject) {
    IClassFactory* const factory = ClassFactory<CSample>::CreateCached();
    CountingOuter outer;
    ComPtr<IUnknown> inner;
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, ReceiveAsVoid(inner)), S_OK);
    EXPECT_EQ(Locks(), 1);
    // The inner IUnknown is the aggregate's own: it answers its interfaces without asking the outer.
    ComPtr<IPersist> persist;
    ASSERT_EQ(inner->QueryInterface(IID_IPersist, ReceiveAsVoid(persist)), S_OK);
    EXPECT_EQ(outer.references, 2u) << "the reference went to the outer object";
    EXPECT_EQ(outer.queries, 0);
    // Calls on an interface of the aggregate go to the outer object.
    ComPtr<IUnknown> viaPersist;
    persist->QueryInterface(IID_IUnknown, ReceiveAsVoid(viaPersist));
    EXPECT_EQ(outer.queries, 1);
    EXPECT_EQ(static_cast<void*>(viaPersist.Get()), static_cast<void*>(&outer));
    viaPersist.Reset();
    persist.Reset();
    EXPECT_EQ(outer.references, 1u);
    inner.Reset();
    EXPECT_EQ(Locks(), 0);
    factory->Release();
}

}  // namespace
