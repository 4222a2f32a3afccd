#include "server/host_object.h"

#include <gtest/gtest.h>

#include "server/com_object.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;

namespace {

// A callee that offers error information for one interface only (or for none).
class FakeCallee : public ComObjectRoot, public ISupportErrorInfo {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ISupportErrorInfo, &InterfaceOf<FakeCallee, ISupportErrorInfo>},
    };
    explicit FakeCallee(const IID* supported) : supported_(supported) {}
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
        return supported_ && ::IsEqualIID(iid, *supported_) ? S_OK : S_FALSE;
    }

private:
    const IID* supported_;
};

// A callee that knows nothing of error information.
class SilentCallee : public ComObjectRoot, public IPersist {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IPersist, &InterfaceOf<SilentCallee, IPersist>},
    };
    STDMETHODIMP GetClassID(CLSID* clsid) override {
        *clsid = CLSID_NULL;
        return S_OK;
    }
};

void PublishOnThread(const wchar_t* description) {
    ComPtr<ICreateErrorInfo> creator;
    ::CreateErrorInfo(creator.Receive());
    creator->SetDescription(const_cast<LPOLESTR>(description));
    ::SetErrorInfo(0, QueryAs<IErrorInfo>(creator.Get(), IID_IErrorInfo).Get());
}

// The failure raised for a call through `iid` on `callee`, caught.
_com_error Raised(IUnknown* callee, REFIID iid, HRESULT hr) {
    try {
        RaiseComCallFailure(hr, callee, iid);
    } catch (const _com_error& failure) {
        return failure;
    }
    ADD_FAILURE() << "nothing raised";
    return _com_error(S_OK);
}

TEST(RaiseComCallFailure, TakesTheCalleesErrorObjectWhenItOffersOneForTheInterface) {
    const auto callee = CreateComObject<FakeCallee>(&IID_IPersist);
    PublishOnThread(L"the host's own words");
    const _com_error failure = Raised(static_cast<ISupportErrorInfo*>(callee.Get()), IID_IPersist, E_ACCESSDENIED);
    EXPECT_EQ(HexText(failure.Error()), HexText(E_ACCESSDENIED));
    const ComPtr<IErrorInfo> carried(failure.ErrorInfo());
    ASSERT_TRUE(carried);
    UniqueBstr description;
    carried->GetDescription(description.Receive());
    EXPECT_EQ(Narrow(description.Get()), "the host's own words");
    // Taking it cleared the thread.
    EXPECT_FALSE(com_test::TakeErrorDescription().has_value());
}

TEST(RaiseComCallFailure, CarriesNothingWhenTheCalleeOffersNoErrorObjectForTheInterface) {
    const auto otherInterface = CreateComObject<FakeCallee>(&IID_IStream);
    const auto noInterface = CreateComObject<FakeCallee>(nullptr);
    const auto silent = CreateComObject<SilentCallee>();
    IUnknown* const callees[] = {static_cast<ISupportErrorInfo*>(otherInterface.Get()),
                                 static_cast<ISupportErrorInfo*>(noInterface.Get()),
                                 static_cast<IPersist*>(silent.Get())};
    for (IUnknown* callee : callees) {
        SCOPED_TRACE(callee == callees[0] ? "other interface" : callee == callees[1] ? "no interface" : "silent");
        PublishOnThread(L"left on the thread");
        const _com_error failure = Raised(callee, IID_IPersist, E_FAIL);
        EXPECT_EQ(HexText(failure.Error()), HexText(E_FAIL));
        EXPECT_EQ(failure.ErrorInfo(), nullptr);
        EXPECT_EQ(Narrow(com_test::TakeErrorDescription().value_or(L"<none>")), "left on the thread");
    }
}

TEST(HostObject, FailedCreationRaisesEPointerAtTheFirstCall) {
    // A class nobody registered.
    const CLSID missing = {0x6E3B3D64, 0x0A3B, 0x4E84, {0x9F, 0x8C, 0x1D, 0x21, 0x5E, 0x3A, 0x70, 0x01}};
    const auto object = HostObject<IPersist>::Create(missing);
    EXPECT_FALSE(object);
    bool called = false;
    try {
        object.Raising([&](IPersist&) {
            called = true;
            return S_OK;
        });
        ADD_FAILURE() << "nothing raised";
    } catch (const _com_error& failure) {
        EXPECT_EQ(HexText(failure.Error()), HexText(E_POINTER));
        EXPECT_EQ(failure.ErrorInfo(), nullptr);
    }
    EXPECT_FALSE(called);
}

TEST(HostObject, RaisingPassesSuccessAndRaisesFailure) {
    auto silent = CreateComObject<SilentCallee>();
    const HostObject<IPersist> object(Retain(static_cast<IPersist*>(silent.Get())));
    EXPECT_NO_THROW(object.Raising([](IPersist& p) {
        CLSID clsid;
        return p.GetClassID(&clsid);
    }));
    EXPECT_NO_THROW(object.Raising([](IPersist&) { return S_FALSE; }));
    EXPECT_THROW(object.Raising([](IPersist&) { return E_FAIL; }), _com_error);
    EXPECT_EQ(object.Unchecked([](IPersist&) { return E_FAIL; }), E_FAIL);
}

}  // namespace
