// The substitute host itself: what it answers, what it records, and how it fails when told to.
#include "testhost/substitute_host.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/bank_name.h"
#include "host/chooser_block.h"
#include "host/host_classes.h"
#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using Lines = std::vector<std::string>;

namespace {

template <class Interface>
ComPtr<Interface> CreateHost(REFCLSID clsid, REFIID iid) {
    ComPtr<Interface> object;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, ReceiveAsVoid(object)), S_OK);
    return object;
}

class SubstituteHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        com_test::ClearErrorInfo();
    }
    void TearDown() override { substitute_host::Reset(); }
};

TEST_F(SubstituteHostTest, ConfigurationRecordsItsLifeAndTheBankNameBuffer) {
    {
        const auto configuration = CreateHost<ITeskBankConfiguration>(kBankConfigurationClassId, IID_ITeskBankConfiguration);
        auto name = BankNameBuffer<1024>();
        EXPECT_EQ(configuration->RegisterBank(name.data(), 3), S_OK);
        name[900] = 'x';
        EXPECT_EQ(configuration->RegisterBank(name.data(), 4), S_OK);
    }
    const Lines expected = {
        "BankConfiguration created",
        "BankConfiguration.1 RegisterBank(char[1024] \"Varrow Online\", 3)",
        "BankConfiguration.1 RegisterBank(char[1024] \"Varrow Online\" (not zero-filled), 4)",
        "BankConfiguration released",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(SubstituteHostTest, ConfigurationAnswersTheScriptedExportLocationCutToItsBuffers) {
    substitute_host::SetExportLocation("payments", "csvx", "C:\\Exports");
    const auto configuration = CreateHost<ITeskBankConfiguration>(kBankConfigurationClassId, IID_ITeskBankConfiguration);
    auto name = BankNameBuffer<100>();
    char file[1024] = "old";
    char extension[4] = "old";
    char directory[1024] = "old";
    ASSERT_EQ(configuration->GetPaymentExportLocation(name.data(), file, extension, directory), S_OK);
    EXPECT_STREQ(file, "payments");
    EXPECT_STREQ(extension, "csv");
    EXPECT_STREQ(directory, "C:\\Exports");
    EXPECT_EQ(substitute_host::CallsStartingWith("BankConfiguration.3"),
              Lines{"BankConfiguration.3 GetPaymentExportLocation(char[100] \"Varrow Online\") -> \"payments\", "
                    "\"csvx\", \"C:\\\\Exports\""});
}

TEST_F(SubstituteHostTest, ConfigurationWithoutScriptLeavesTheBuffersAlone) {
    const auto configuration = CreateHost<ITeskBankConfiguration>(kBankConfigurationClassId, IID_ITeskBankConfiguration);
    auto name = BankNameBuffer<100>();
    char file[1024] = "old";
    char extension[4] = "old";
    char directory[1024] = "old";
    ASSERT_EQ(configuration->GetPaymentExportLocation(name.data(), file, extension, directory), S_OK);
    EXPECT_STREQ(file, "old");
    EXPECT_STREQ(extension, "old");
    EXPECT_STREQ(directory, "old");
}

int WINAPI RecogniseCsv(char* description, const char* path) {
    const std::size_t length = std::strlen(path);
    if (length < 4 || std::strcmp(path + length - 4, ".csv") != 0) return 0;
    std::strcpy(description, "Varrow Quidlane Statement");
    return 1;
}

TEST_F(SubstituteHostTest, ChooserOffersItsCandidatesToTheRecogniserInFrontOfThePreparedBlock) {
    substitute_host::AddChooserCandidate("C:\\in\\a.csv");
    substitute_host::AddChooserCandidate("C:\\in\\b.txt");
    substitute_host::SetChooserAnswer(0, L"C:\\in\\a.csv");
    const auto configuration = CreateHost<ITeskBankConfiguration>(kBankConfigurationClassId, IID_ITeskBankConfiguration);
    const auto chooser = CreateHost<ITeskStatementFileChooser>(kStatementFileChooserClassId, IID_ITeskStatementFileChooser);
    auto name = BankNameBuffer<100>();
    ChooserBlock block{};
    ASSERT_EQ(configuration->PrepareStatementChooser(name.data(), reinterpret_cast<unsigned char*>(&block)), S_OK);
    block.recogniser = &RecogniseCsv;
    ASSERT_EQ(chooser->Choose(reinterpret_cast<unsigned char*>(&block)), S_OK);
    LONG outcome = -1;
    ASSERT_EQ(chooser->GetOutcome(&outcome), S_OK);
    EXPECT_EQ(outcome, 0);
    UniqueBstr path;
    ASSERT_EQ(chooser->GetChosenPath(path.Receive()), S_OK);
    EXPECT_EQ(Narrow(path.Get()), "C:\\in\\a.csv");
    const Lines expected = {
        "StatementFileChooser created",
        "StatementFileChooser.1 Choose(recogniser set, rest as prepared)",
        "StatementRecogniser(\"C:\\\\in\\\\a.csv\") -> 1, char[256] \"Varrow Quidlane Statement\"",
        "StatementRecogniser(\"C:\\\\in\\\\b.txt\") -> 0, char[256] \"\"",
        "StatementFileChooser.5 GetOutcome() -> 0",
        "StatementFileChooser.4 GetChosenPath() -> \"C:\\\\in\\\\a.csv\"",
    };
    EXPECT_EQ(substitute_host::CallsStartingWith("Statement"), expected);
}

TEST_F(SubstituteHostTest, ChooserNoticesAMissingRecogniserAndAChangedBlock) {
    substitute_host::AddChooserCandidate("C:\\in\\a.csv");
    const auto chooser = CreateHost<ITeskStatementFileChooser>(kStatementFileChooserClassId, IID_ITeskStatementFileChooser);
    ChooserBlock block{};
    ASSERT_EQ(chooser->Choose(reinterpret_cast<unsigned char*>(&block)), S_OK);
    EXPECT_EQ(substitute_host::CallsStartingWith("Statement"),
              (Lines{"StatementFileChooser created", "StatementFileChooser.1 Choose(no recogniser, rest changed)"}));
}

TEST_F(SubstituteHostTest, ChooserByDefaultReportsThatNoFileWasChosen) {
    const auto chooser = CreateHost<ITeskStatementFileChooser>(kStatementFileChooserClassId, IID_ITeskStatementFileChooser);
    LONG outcome = 0;
    ASSERT_EQ(chooser->GetOutcome(&outcome), S_OK);
    EXPECT_NE(outcome, 0);
    UniqueBstr path(::SysAllocString(L"x"));
    ASSERT_EQ(chooser->GetChosenPath(path.Receive()), S_OK);
    EXPECT_FALSE(path);
}

TEST_F(SubstituteHostTest, ScriptedFailureWithDescriptionPublishesErrorInformation) {
    substitute_host::FailMethod(HostObjectKind::BankConfiguration, 2, E_ACCESSDENIED, L"no chooser today");
    const auto configuration = CreateHost<ITeskBankConfiguration>(kBankConfigurationClassId, IID_ITeskBankConfiguration);
    auto name = BankNameBuffer<100>();
    unsigned char block[kChooserBlockSize] = {};
    EXPECT_EQ(configuration->PrepareStatementChooser(name.data(), block), E_ACCESSDENIED);
    EXPECT_EQ(Narrow(com_test::TakeErrorDescription().value_or(L"<none>")), "no chooser today");
    const auto support = QueryAs<ISupportErrorInfo>(configuration.Get(), IID_ISupportErrorInfo);
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITeskBankConfiguration), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    EXPECT_EQ(block[10], 0) << "a failed call writes nothing";
    EXPECT_EQ(configuration->RegisterBank(name.data(), 3), S_OK) << "other methods still answer";
}

TEST_F(SubstituteHostTest, ScriptedFailureWithoutDescriptionPublishesNothing) {
    substitute_host::FailMethod(HostObjectKind::FilterAccount, 5, E_FAIL);
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"87654321");
    ComPtr<ITeskFilterAccount> account;
    ASSERT_EQ(filter->get_Account(account.Receive()), S_OK);
    UniqueBstr number;
    EXPECT_EQ(account->get_AccountNumber(number.Receive()), E_FAIL);
    EXPECT_FALSE(com_test::TakeErrorDescription().has_value());
    EXPECT_EQ(QueryAs<ISupportErrorInfo>(account.Get(), IID_ISupportErrorInfo)->InterfaceSupportsErrorInfo(
                  IID_ITeskFilterAccount),
              S_FALSE);
}

TEST_F(SubstituteHostTest, ScriptedCreationFailureReachesTheCreator) {
    substitute_host::FailCreation(HostObjectKind::StatementFileChooser, E_OUTOFMEMORY);
    ComPtr<IUnknown> chooser;
    EXPECT_EQ(HexText(::CoCreateInstance(kStatementFileChooserClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         ReceiveAsVoid(chooser))),
              HexText(E_OUTOFMEMORY));
    EXPECT_EQ(substitute_host::Calls(), Lines{"StatementFileChooser creation -> 0x8007000E"});
}

TEST_F(SubstituteHostTest, AFailingPositionFailsThatOneCallAndLiveObjectsAreCounted) {
    const long before = substitute_host::LiveObjects();
    substitute_host::FailCall(1, E_ACCESSDENIED);
    {
        const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"1");
        ComPtr<ITeskFilterAccount> first, second;
        EXPECT_EQ(HexText(filter->get_Account(first.Receive())), "0x00000000");
        EXPECT_EQ(HexText(filter->get_Account(second.Receive())), "0x80070005");
        EXPECT_EQ(HexText(filter->get_Account(second.Receive())), "0x00000000");
        EXPECT_EQ(substitute_host::LiveObjects(), before + 3);
    }
    EXPECT_EQ(substitute_host::LiveObjects(), before);
    substitute_host::Reset();
    substitute_host::FailCall(0, REGDB_E_CLASSNOTREG);
    ComPtr<ITeskBankConfiguration> configuration;
    EXPECT_EQ(HexText(::CoCreateInstance(kBankConfigurationClassId, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_ITeskBankConfiguration, ReceiveAsVoid(configuration))),
              "0x80040154");
    EXPECT_EQ(substitute_host::Calls(), Lines{"BankConfiguration creation -> 0x80040154"});
}

TEST_F(SubstituteHostTest, ServiceFilterHandsOutItsAccount) {
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", std::nullopt);
    ComPtr<ITeskFilterAccount> account;
    ASSERT_EQ(filter->get_Account(account.Receive()), S_OK);
    EXPECT_EQ(Narrow(com_test::ReadText(account.Get(), &ITeskFilterAccount::get_SortCode)), "12-34-56");
    UniqueBstr number(::SysAllocString(L"x"));
    ASSERT_EQ(account->get_AccountNumber(number.Receive()), S_OK);
    EXPECT_FALSE(number);
    const Lines expected = {
        "ServiceFilter.1 get_Account() -> FilterAccount",
        "FilterAccount.1 get_SortCode() -> \"12-34-56\"",
        "FilterAccount.5 get_AccountNumber() -> null",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(SubstituteHostTest, PaymentsHoldWhatTheyWereGivenAndRecordWhatTheyReceive) {
    substitute_host::PaymentFields first;
    first.value = 12.5;
    first.payeeBankSortCode = L"123456";
    first.status = 1;
    substitute_host::PaymentFields second;
    second.payeeBankAccountName = L"A. Payee";
    const auto payments = substitute_host::MakePayments({first, second});
    EXPECT_TRUE(substitute_host::Calls().empty()) << "setting up is not recorded";
    LONG count = 0;
    ASSERT_EQ(payments->get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
    ComPtr<ITeskPayment> payment;
    ASSERT_EQ(payments->get_Item(0, payment.Receive()), S_OK);
    double value = 0;
    payment->get_Value(&value);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(Narrow(com_test::ReadText(payment.Get(), &ITeskPayment::get_PayeeBankSortCode)), "123456");
    UniqueBstr unset(::SysAllocString(L"x"));
    payment->get_PayerBankSortCode(unset.Receive());
    EXPECT_FALSE(unset);
    payment->put_Status(23);
    ComPtr<ITeskPayment> none;
    EXPECT_EQ(payments->get_Item(2, none.Receive()), E_INVALIDARG);
    EXPECT_EQ(substitute_host::Statuses(payments.Get()), (std::vector<long>{23, 0}));
    const Lines expected = {
        "Payments.2 get_Count() -> 2",
        "Payments.1 get_Item(0) -> Payment[0]",
        "Payment[0].1 get_Value() -> 12.5",
        "Payment[0].15 get_PayeeBankSortCode() -> \"123456\"",
        "Payment[0].5 get_PayerBankSortCode() -> null",
        "Payment[0].32 put_Status(23)",
        "Payments.1 get_Item(2) -> 0x80070057",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(SubstituteHostTest, ReconciliationListNumbersTheTransactionsItHandsOut) {
    const auto transactions = substitute_host::MakeStatementTransactions();
    ASSERT_EQ(transactions->Clear(), S_OK);
    ASSERT_EQ(transactions->SetBalance(0.0), S_OK);
    for (int i = 1; i <= 2; ++i) {
        ComPtr<ITeskStatementTransaction> transaction;
        ASSERT_EQ(transactions->Add(transaction.Receive()), S_OK);
        VARIANT number;
        V_VT(&number) = VT_I4;
        V_I4(&number) = i;
        transaction->SetNumber(&number);
        transaction->SetDate(43831.0);
        transaction->SetDirection(i - 1);
        transaction->SetAmount(12.5 * i);
        const UniqueBstr narrative(::SysAllocString(L"PAYEE"));
        transaction->SetNarrative(narrative.Get());
        transaction->SetReference(narrative.Get());
        transaction->Reserved36();
    }
    LONG count = 0;
    transactions->get_Count(&count);
    EXPECT_EQ(count, 2);
    const Lines expected = {
        "StatementTransactions.4 Clear()",
        "StatementTransactions.7 SetBalance(0)",
        "StatementTransactions.3 Add() -> StatementTransaction#1",
        "StatementTransaction#1.3 SetNumber(VT_I4 1)",
        "StatementTransaction#1.5 SetDate(43831)",
        "StatementTransaction#1.11 SetDirection(0)",
        "StatementTransaction#1.37 SetAmount(12.5)",
        "StatementTransaction#1.31 SetNarrative(\"PAYEE\")",
        "StatementTransaction#1.7 SetReference(\"PAYEE\")",
        "StatementTransaction#1.36 Reserved36()",
        "StatementTransactions.3 Add() -> StatementTransaction#2",
        "StatementTransaction#2.3 SetNumber(VT_I4 2)",
        "StatementTransaction#2.5 SetDate(43831)",
        "StatementTransaction#2.11 SetDirection(1)",
        "StatementTransaction#2.37 SetAmount(25)",
        "StatementTransaction#2.31 SetNarrative(\"PAYEE\")",
        "StatementTransaction#2.7 SetReference(\"PAYEE\")",
        "StatementTransaction#2.36 Reserved36()",
        "StatementTransactions.1 get_Count() -> 2",
    };
    EXPECT_EQ(substitute_host::Calls(), expected);
}

}  // namespace
