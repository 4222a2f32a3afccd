// The service list and the common service methods through the registered component.
#include <gtest/gtest.h>

#include <functional>

#include "platform/string_table.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::ReadText;

namespace {

class ServiceListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::CoCreateInstance(CLSID_Bank, nullptr, CLSCTX_INPROC_SERVER, IID_IBank, ReceiveAsVoid(bank_)), S_OK);
        ComPtr<ITeskBankServices> services;
        ASSERT_EQ(bank_->get_Services(services.Receive()), S_OK);
        list_ = QueryAs<IBankServices>(services.Get(), IID_IBankServices);
        ASSERT_TRUE(list_);
        com_test::ClearErrorInfo();
    }

    // The service `index` names, by its Name; or the failure.
    std::string NameAt(VARIANT* index) {
        ComPtr<ITeskBankService> service;
        const HRESULT hr = list_->get_Item(index, service.Receive());
        if (FAILED(hr)) {
            const auto description = com_test::TakeErrorDescription();
            return HexText(hr) + " " + Narrow(description.value_or(L"<no description>"));
        }
        return Narrow(ReadText(service.Get(), &ITeskBankService::get_Name));
    }

    ComPtr<ITeskBankService> Service(LONG position) {
        VARIANT index;
        V_VT(&index) = VT_I4;
        V_I4(&index) = position;
        ComPtr<ITeskBankService> service;
        EXPECT_EQ(list_->get_Item(&index, service.Receive()), S_OK);
        return service;
    }

    ComPtr<IBank> bank_;
    ComPtr<IBankServices> list_;
};

constexpr const char* kPayment = "Bank Payment Service";
constexpr const char* kStatement = "Bank Reconciliation Service";
constexpr const char* kRefused = "0x800AFFFC Invalid argument";

TEST_F(ServiceListTest, CountsTwoServices) {
    LONG count = 0;
    ASSERT_EQ(list_->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
}

TEST_F(ServiceListTest, ItemByNumber) {
    struct Case {
        VARTYPE type;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {VT_I4, 0, kPayment}, {VT_I4, 1, kStatement}, {VT_I4, 2, kRefused},    {VT_I4, -1, kRefused},
        {VT_I2, 1, kStatement}, {VT_R8, 0.4, kPayment}, {VT_R8, 1.6, kRefused}, {VT_R4, 1, kStatement},
        {VT_UI1, 0, kPayment},  {VT_BOOL, 1, kRefused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " value " + std::to_string(c.value));
        UniqueVariant index;
        V_VT(&index.Get()) = VT_R8;
        V_R8(&index.Get()) = c.value;
        ASSERT_EQ(::VariantChangeType(&index.Get(), &index.Get(), 0, c.type), S_OK);
        EXPECT_EQ(NameAt(&index.Get()), c.expected);
    }
}

TEST_F(ServiceListTest, ItemByName) {
    struct Case {
        const wchar_t* name;
        const char* expected;
    };
    const Case cases[] = {
        {L"Bank Payment Service", kPayment},
        {L"Bank Reconciliation Service", kStatement},
        {L"bank reconciliation service", kRefused},
        {L"BANK PAYMENT SERVICE", kRefused},
        {L"1", kRefused},
        {L"", kRefused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        UniqueVariant index;
        V_VT(&index.Get()) = VT_BSTR;
        V_BSTR(&index.Get()) = ::SysAllocString(c.name);
        EXPECT_EQ(NameAt(&index.Get()), c.expected);
    }
}

TEST_F(ServiceListTest, ItemWithNothingToGoOnIsRefused) {
    EXPECT_EQ(NameAt(nullptr), kRefused);
    UniqueVariant empty;
    EXPECT_EQ(NameAt(&empty.Get()), kRefused);
    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(NameAt(&missing), kRefused);
}

TEST_F(ServiceListTest, PositionNameAndLaterRequestsGiveTheSameServiceObjects) {
    UniqueVariant byName;
    V_VT(&byName.Get()) = VT_BSTR;
    V_BSTR(&byName.Get()) = ::SysAllocString(L"Bank Reconciliation Service");
    ComPtr<ITeskBankService> named;
    ASSERT_EQ(list_->get_Item(&byName.Get(), named.Receive()), S_OK);
    EXPECT_EQ(named.Get(), Service(1).Get());
    ComPtr<ITeskBankServices> again;
    ASSERT_EQ(bank_->get_Services(again.Receive()), S_OK);
    VARIANT first;
    V_VT(&first) = VT_I4;
    V_I4(&first) = 0;
    ComPtr<ITeskBankService> payment;
    ASSERT_EQ(again->get_Item(&first, payment.Receive()), S_OK);
    EXPECT_EQ(payment.Get(), Service(0).Get());
}

TEST_F(ServiceListTest, ServicesAreThePaymentAndTheStatementService) {
    EXPECT_TRUE(QueryAs<IBankPaymentService>(Service(0).Get(), IID_IBankPaymentService));
    EXPECT_TRUE(QueryAs<IBankStatementService>(Service(1).Get(), IID_IBankStatementService));
}

TEST_F(ServiceListTest, ResultCodeStartsAtZeroAndKeepsWhateverIsPut) {
    for (LONG position : {0, 1}) {
        SCOPED_TRACE(position);
        const auto service = Service(position);
        LONG code = 99;
        ASSERT_EQ(service->get_ResultCode(&code), S_OK);
        EXPECT_EQ(code, 0);
        for (const LONG value : {LONG(-7), LONG(3), LONG(0x7FFFFFFF), LONG(-0x7FFFFFFF - 1), LONG(0)}) {
            EXPECT_EQ(service->put_ResultCode(value), S_OK);
            ASSERT_EQ(service->get_ResultCode(&code), S_OK);
            EXPECT_EQ(code, value);
        }
    }
    // Each service keeps its own.
    Service(0)->put_ResultCode(40);
    LONG other = 0;
    Service(1)->get_ResultCode(&other);
    EXPECT_EQ(other, 0);
}

TEST_F(ServiceListTest, ReservedMethodsCheckTheirOutPointerAndWriteNothing) {
    for (LONG position : {0, 1}) {
        SCOPED_TRACE(position);
        const auto service = Service(position);
        LONG value = 77;
        EXPECT_EQ(service->ReservedQuery(&value), S_OK);
        EXPECT_EQ(value, 77);
        EXPECT_EQ(service->ReservedLookup(12, &value), S_OK);
        EXPECT_EQ(value, 77);
    }
}

// The status text handed out for `code`, or "<untouched>" when the out BSTR kept its old value.
std::string StatusText(ITeskBankService* service, LONG code) {
    const UniqueBstr sentinel(::SysAllocString(L"sentinel"));
    BSTR text = sentinel.Get();
    const HRESULT hr = service->StatusText(code, &text);
    if (hr != S_OK) return "failed " + HexText(hr);
    if (text == sentinel.Get()) return "<untouched>";
    const UniqueBstr received(text);
    return Narrow(received.Get());
}

TEST_F(ServiceListTest, PaymentStatusTextsComeFromTheComponentsStringResources) {
    const auto payment = Service(0);
    for (LONG code = -2; code <= 41; ++code) {
        SCOPED_TRACE(code);
        const char* text = code >= 0 && code <= 36 ? FindStringTableText(300 + static_cast<unsigned>(code)) : nullptr;
        EXPECT_EQ(StatusText(payment.Get(), code), text ? text : "<untouched>");
    }
    EXPECT_EQ(StatusText(payment.Get(), 0), "Payment processed successfully.");
    EXPECT_EQ(StatusText(payment.Get(), 20),
              "This payment is valid but the payment batch has been rejected because of errors elsewhere.");
    // 340 exists, but codes above 36 have no text through this method.
    EXPECT_EQ(StatusText(payment.Get(), 40), "<untouched>");
    EXPECT_EQ(StatusText(payment.Get(), -1), "<untouched>");
}

TEST_F(ServiceListTest, StatementServiceHasNoStatusTexts) {
    const auto statement = Service(1);
    for (const LONG code : {0, 20, 35, 40, -1}) EXPECT_EQ(StatusText(statement.Get(), code), "<untouched>") << code;
}

}  // namespace
