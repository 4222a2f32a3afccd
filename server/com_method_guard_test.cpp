#include "server/com_method_guard.h"

#include <gtest/gtest.h>

#include <new>

#include "common/errors.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::TakeErrorDescription;

namespace {

class ComMethodGuardTest : public ::testing::Test {
protected:
    void SetUp() override { com_test::ClearErrorInfo(); }

    // The reference count of `object` as it stands.
    static ULONG References(IUnknown* object) {
        object->AddRef();
        return object->Release();
    }

    static ComPtr<IErrorInfo> ErrorObject(const wchar_t* description) {
        ComPtr<ICreateErrorInfo> creator;
        EXPECT_EQ(::CreateErrorInfo(creator.Receive()), S_OK);
        creator->SetDescription(const_cast<LPOLESTR>(description));
        return QueryAs<IErrorInfo>(creator.Get(), IID_IErrorInfo);
    }
};

TEST_F(ComMethodGuardTest, ReturnsWhatTheBodyReturns) {
    EXPECT_EQ(ComMethodGuard([] { return S_FALSE; }), S_FALSE);
    EXPECT_EQ(ComMethodGuard([] { return static_cast<HRESULT>(40); }), 40);
    EXPECT_EQ(ComMethodGuard([] {}), S_OK);
    EXPECT_FALSE(TakeErrorDescription().has_value());
}

TEST_F(ComMethodGuardTest, NullOutPointerFailsBeforeAnyWork) {
    bool worked = false;
    const HRESULT hr = ComMethodGuard([&] {
        RequireOut(nullptr);
        worked = true;
    });
    EXPECT_EQ(HexText(hr), "0x800AFFFC");
    EXPECT_FALSE(worked);
    EXPECT_EQ(Narrow(TakeErrorDescription().value_or(L"<none>")), "Invalid argument");
}

TEST_F(ComMethodGuardTest, RaisedHResultsGoThroughTheMappingTable) {
    struct Case {
        HRESULT raised;
        const char* returned;
        const char* description;
    };
    const Case cases[] = {
        {E_NOTIMPL, "0x800AFFFB", "Not implemented"},
        {E_ACCESSDENIED, "0x800AFFFE", "Unexpected result"},
        {E_OUTOFMEMORY, "0x800AFFFD", "Out of Memory"},
        {E_NOINTERFACE, "0x800AFFFA", "Interface not supported"},
        {static_cast<HRESULT>(0x800A1234), "0x800A1234", nullptr},
        {DISP_E_EXCEPTION, "0x80020009", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(HexText(c.raised));
        EXPECT_EQ(HexText(ComMethodGuard([&] { RaiseHResult(c.raised); })), c.returned);
        const auto description = TakeErrorDescription();
        if (c.description) {
            EXPECT_EQ(Narrow(description.value_or(L"<none>")), c.description);
        } else {
            EXPECT_FALSE(description.has_value()) << Narrow(*description);
        }
    }
}

TEST_F(ComMethodGuardTest, HostCallFailureBecomesDispExceptionAndItsErrorObjectIsDropped) {
    const ComPtr<IErrorInfo> info = ErrorObject(L"host said no");
    ASSERT_TRUE(info);
    const ULONG before = References(info.Get());
    const HRESULT hr = ComMethodGuard([&] { throw _com_error(E_FAIL, info.Get(), true); });
    EXPECT_EQ(HexText(hr), "0x80020009");
    EXPECT_FALSE(TakeErrorDescription().has_value());
    EXPECT_EQ(References(info.Get()), before);
}

TEST_F(ComMethodGuardTest, Win32CodePublishesTheSystemText) {
    const HRESULT hr = ComMethodGuard([] { throw static_cast<unsigned long>(ERROR_FILE_NOT_FOUND); });
    EXPECT_EQ(HexText(hr), "0x800AFFFF");
    const auto description = TakeErrorDescription();
    ASSERT_TRUE(description.has_value());
    EXPECT_FALSE(description->empty());
}

TEST_F(ComMethodGuardTest, ErrorObjectBuiltByTheBodyIsPublishedAndTheCallFails) {
    ComPtr<ICreateErrorInfo> creator;
    ASSERT_EQ(::CreateErrorInfo(creator.Receive()), S_OK);
    creator->SetDescription(const_cast<LPOLESTR>(L"built by the body"));
    ICreateErrorInfo* thrown = Retain(creator.Get()).Detach();
    const ULONG before = References(creator.Get());
    const HRESULT hr = ComMethodGuard([&] { throw thrown; });
    EXPECT_EQ(HexText(hr), HexText(E_FAIL));
    EXPECT_EQ(Narrow(TakeErrorDescription().value_or(L"<none>")), "built by the body");
    // The thrown reference is given back.
    EXPECT_EQ(References(creator.Get()), before - 1);
}

TEST_F(ComMethodGuardTest, AnyOtherExceptionIsUnexpectedWithoutErrorInformation) {
    const HRESULT fromString = ComMethodGuard([] { throw CAtlException(hresult::kOutOfMemory); });
    EXPECT_EQ(HexText(fromString), "0x8000FFFF");
    EXPECT_FALSE(TakeErrorDescription().has_value());
    const HRESULT fromAllocator = ComMethodGuard([] { throw std::bad_alloc(); });
    EXPECT_EQ(HexText(fromAllocator), "0x8000FFFF");
    EXPECT_FALSE(TakeErrorDescription().has_value());
    const HRESULT fromInt = ComMethodGuard([] { throw 5; });
    EXPECT_EQ(HexText(fromInt), "0x8000FFFF");
    EXPECT_FALSE(TakeErrorDescription().has_value());
}

}  // namespace
