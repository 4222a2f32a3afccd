// Process through the registered component where the run ends before the options dialog: a host
// configuration that fails, null payments, and more than 4000 payments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/gui.h"
#include "tests/support/payment_run_user.h"

using com_test::HexText;
using com_test::Narrow;
using Lines = std::vector<std::string>;

namespace {

constexpr LONG kLeftOver = -7;  // a ResultCode the host set before the run
constexpr HRESULT kCreationFailure = static_cast<HRESULT>(0x80040154);  // REGDB_E_CLASSNOTREG

ComPtr<IBankPaymentService> CreatePaymentService() {
    ComPtr<IBankPaymentService> service;
    EXPECT_EQ(::CoCreateInstance(CLSID_BankPaymentService, nullptr, CLSCTX_INPROC_SERVER, IID_IBankPaymentService,
                                 ReceiveAsVoid(service)),
              S_OK);
    return service;
}

std::vector<substitute_host::PaymentFields> Payments(std::size_t count) {
    substitute_host::PaymentFields fields;
    fields.value = 10;
    fields.payerBankSortCode = L"40-12-76";
    fields.payerBankAccountNumber = L"41829374";
    fields.payeeBankSortCode = L"20-32-06";
    fields.payeeBankAccountNumber = L"73004521";
    fields.payeeBankAccountName = L"Oakridge Timber";
    return std::vector<substitute_host::PaymentFields>(count, fields);
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        com_test::ClearErrorInfo();
        substitute_host::SetExportLocation("pay", "txt", "C:\\");
        service = CreatePaymentService();
        ASSERT_TRUE(service);
        service->put_ResultCode(kLeftOver);
    }
    void TearDown() override { substitute_host::Reset(); }

    LONG ResultCode() const {
        LONG code = 0;
        EXPECT_EQ(service->get_ResultCode(&code), S_OK);
        return code;
    }

    ComPtr<IBankPaymentService> service;
};

struct ConfigurationFailure {
    const char* name;
    void (*script)();
    Lines calls;
};

TEST_F(ProcessTest, FailingConfigurationIsADispatchExceptionAndKeepsTheResultCode) {
    const ConfigurationFailure rows[] = {
        {"method 3 fails with error information",
         [] {
             substitute_host::FailMethod(HostObjectKind::BankConfiguration, 3, E_FAIL,
                                         std::wstring(L"no configuration for this bank"));
         },
         {"BankConfiguration created",
          "BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> 0x80004005",
          "BankConfiguration released"}},
        {"method 3 fails without", [] { substitute_host::FailMethod(HostObjectKind::BankConfiguration, 3, E_ACCESSDENIED); },
         {"BankConfiguration created",
          "BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> 0x80070005",
          "BankConfiguration released"}},
        {"creation fails", [] { substitute_host::FailCreation(HostObjectKind::BankConfiguration, kCreationFailure); },
         {"BankConfiguration creation -> 0x80040154"}},
    };
    for (const auto& row : rows) {
        substitute_host::Reset();
        row.script();
        const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(Payments(2));
        const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
        EXPECT_EQ(HexText(service->Process(payments.Get(), filter.Get())), "0x80020009") << row.name;
        EXPECT_FALSE(com_test::TakeErrorDescription().has_value()) << row.name;
        EXPECT_EQ(ResultCode(), kLeftOver) << row.name;
        EXPECT_EQ(substitute_host::Calls(), row.calls) << row.name;
        EXPECT_FALSE(run_user::AnyDialogShown()) << row.name;
    }
}

TEST_F(ProcessTest, NullPaymentsAreAnInvalidArgumentAfterResultCodeZero) {
    const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
    EXPECT_EQ(HexText(service->Process(nullptr, filter.Get())), "0x800AFFFC");
    EXPECT_EQ(Narrow(com_test::TakeErrorDescription().value_or(L"<none>")), "Invalid argument");
    EXPECT_EQ(ResultCode(), 0);
    // The configuration was asked, and released; the filter never.
    const Lines expected = {
        "BankConfiguration created",
        "BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> \"pay\", \"txt\", \"C:\\\\\"",
        "BankConfiguration released",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(ProcessTest, MoreThanFourThousandPaymentsGetTheMessageAndNoDialog) {
    const ComPtr<ITeskPayments> payments = substitute_host::MakePayments(Payments(4001));
    {
        const substitute_host::RecordingPaused quiet;
        ComPtr<ITeskPayment> marked;
        ASSERT_EQ(payments->get_Item(7, marked.Receive()), S_OK);
        marked->put_Status(1);
    }
    const ComPtr<ITeskServiceFilter> filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
    const run_user::ActiveHostWindow host;
    std::string text;
    HWND owner = nullptr;
    bool exclamation = false;
    const HRESULT hr = run_user::WithUser([&] { return service->Process(payments.Get(), filter.Get()); }, [&] {
        HWND box = gui::WaitForWindow("#32770", "Tesk Varrow Internet Quidlane");
        if (!box) return;
        text = gui::MessageBoxText(box);
        owner = ::GetWindow(box, GW_OWNER);
        exclamation = run_user::MessageBoxIcon(box) == ::LoadIcon(nullptr, IDI_EXCLAMATION);
        gui::Answer(box, IDOK);
    });
    EXPECT_EQ(hr, 40);
    EXPECT_EQ(ResultCode(), 40);
    EXPECT_EQ(text,
              "Too many payment instructions have been submitted. Varrow Online supports a maximum of 4000 payments "
              "in a single file.");
    EXPECT_EQ(owner, host.Get());
    EXPECT_TRUE(exclamation);
    // Count was read once; no payment, no filter and no dialog was touched.
    const Lines expected = {
        "BankConfiguration created",
        "BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> \"pay\", \"txt\", \"C:\\\\\"",
        "Payments.2 get_Count() -> 4001",
        "BankConfiguration released",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
    const std::vector<long> statuses = substitute_host::Statuses(payments.Get());
    for (std::size_t i = 0; i < statuses.size(); ++i) ASSERT_EQ(statuses[i], i == 7 ? 1 : 0) << "payment " << i;
}

}  // namespace
