// The service list's enumerator through the registered component.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;

namespace {

class EnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::CoCreateInstance(CLSID_BankServices, nullptr, CLSCTX_INPROC_SERVER, IID_IBankServices,
                                     ReceiveAsVoid(list_)),
                  S_OK);
        enumerator_ = NewEnumerator();
        ASSERT_TRUE(enumerator_);
    }

    ComPtr<IEnumVARIANT> NewEnumerator() {
        ComPtr<IUnknown> unknown;
        EXPECT_EQ(list_->get__NewEnum(unknown.Receive()), S_OK);
        return QueryAs<IEnumVARIANT>(unknown.Get(), IID_IEnumVARIANT);
    }

    struct Fetched {
        HRESULT hr;
        ULONG count;
        std::vector<std::string> names;  // one per element asked for; "" for an empty element
    };

    static Fetched Next(IEnumVARIANT* enumerator, ULONG requested) {
        std::vector<VARIANT> elements(requested);
        for (auto& element : elements) {
            V_VT(&element) = VT_I4;  // garbage the enumerator must clear
            V_I4(&element) = 1234;
        }
        Fetched fetched{E_FAIL, 99, {}};
        fetched.hr = enumerator->Next(requested, elements.data(), &fetched.count);
        for (auto& element : elements) {
            UniqueVariant held(element);
            if (V_VT(&held.Get()) == VT_EMPTY) {
                fetched.names.emplace_back();
                continue;
            }
            EXPECT_EQ(V_VT(&held.Get()), VT_DISPATCH);
            auto* service = static_cast<ITeskBankService*>(V_DISPATCH(&held.Get()));
            fetched.names.push_back(Narrow(com_test::ReadText(service, &ITeskBankService::get_Name)));
        }
        return fetched;
    }

    ComPtr<IBankServices> list_;
    ComPtr<IEnumVARIANT> enumerator_;
};

const std::string kPayment = "Bank Payment Service";
const std::string kStatement = "Bank Reconciliation Service";

TEST_F(EnumeratorTest, NextForMoreThanThereAreDeliversBothAndSaysSo) {
    const Fetched all = Next(enumerator_.Get(), 3);
    EXPECT_EQ(all.hr, S_FALSE);
    EXPECT_EQ(all.count, 2u);
    EXPECT_EQ(all.names, (std::vector<std::string>{kPayment, kStatement, ""}));
    const Fetched after = Next(enumerator_.Get(), 1);
    EXPECT_EQ(after.hr, S_FALSE);
    EXPECT_EQ(after.count, 0u);
    EXPECT_EQ(after.names, std::vector<std::string>{""});
}

TEST_F(EnumeratorTest, NextOneAtATimeWalksInPositionOrder) {
    const Fetched first = Next(enumerator_.Get(), 1);
    EXPECT_EQ(first.hr, S_OK);
    EXPECT_EQ(first.count, 1u);
    EXPECT_EQ(first.names, std::vector<std::string>{kPayment});
    const Fetched second = Next(enumerator_.Get(), 1);
    EXPECT_EQ(second.hr, S_OK);
    EXPECT_EQ(second.names, std::vector<std::string>{kStatement});
}

TEST_F(EnumeratorTest, NextWithoutCountFetchedAndForNothing) {
    VARIANT element;
    EXPECT_EQ(enumerator_->Next(1, &element, nullptr), S_OK);
    ::VariantClear(&element);
    ULONG fetched = 5;
    EXPECT_EQ(enumerator_->Next(0, nullptr, &fetched), S_OK);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(Next(enumerator_.Get(), 1).names, std::vector<std::string>{kStatement}) << "asking for none moved nothing";
}

TEST_F(EnumeratorTest, SkipMovesWithinTheListAndRefusesToGoBeyondIt) {
    EXPECT_EQ(enumerator_->Skip(1), S_OK);
    EXPECT_EQ(Next(enumerator_.Get(), 1).names, std::vector<std::string>{kStatement});

    enumerator_->Reset();
    EXPECT_EQ(enumerator_->Skip(3), S_FALSE);
    EXPECT_EQ(Next(enumerator_.Get(), 1).names, std::vector<std::string>{kPayment}) << "a refused skip stays put";

    enumerator_->Reset();
    EXPECT_EQ(enumerator_->Skip(2), S_OK) << "skipping exactly what is left reaches the end";
    const Fetched atEnd = Next(enumerator_.Get(), 1);
    EXPECT_EQ(atEnd.hr, S_FALSE);
    EXPECT_EQ(atEnd.count, 0u);

    enumerator_->Reset();
    EXPECT_EQ(enumerator_->Skip(0xFFFFFFFFu), S_FALSE);
    EXPECT_EQ(enumerator_->Skip(0), S_OK);
}

TEST_F(EnumeratorTest, ResetStartsOver) {
    Next(enumerator_.Get(), 2);
    EXPECT_EQ(enumerator_->Reset(), S_OK);
    EXPECT_EQ(Next(enumerator_.Get(), 2).names, (std::vector<std::string>{kPayment, kStatement}));
}

TEST_F(EnumeratorTest, CloneStartsWhereTheOriginalIsAndMovesOnItsOwn) {
    enumerator_->Skip(1);
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(enumerator_->Clone(clone.Receive()), S_OK);
    EXPECT_EQ(Next(clone.Get(), 1).names, std::vector<std::string>{kStatement});
    EXPECT_EQ(Next(enumerator_.Get(), 1).names, std::vector<std::string>{kStatement});
    clone->Reset();
    EXPECT_EQ(Next(clone.Get(), 1).names, std::vector<std::string>{kPayment});
    EXPECT_EQ(enumerator_->Clone(nullptr), E_POINTER);
}

TEST_F(EnumeratorTest, AnswersIUnknownAndIEnumVariantOnly) {
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(enumerator_->QueryInterface(IID_IUnknown, ReceiveAsVoid(unknown)), S_OK);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(enumerator_->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(enumerator_->QueryInterface(IID_IBankServices, &other), E_NOINTERFACE);
    EXPECT_EQ(enumerator_->QueryInterface(IID_IEnumVARIANT, nullptr), E_POINTER);
    EXPECT_EQ(enumerator_->AddRef(), 3u);
    EXPECT_EQ(enumerator_->Release(), 2u);
}

TEST_F(EnumeratorTest, OutlivesTheListItWalks) {
    list_.Reset();
    EXPECT_EQ(Next(enumerator_.Get(), 3).names, (std::vector<std::string>{kPayment, kStatement, ""}));
}

}  // namespace
