// The statement import through the registered component and the substitute host, which records
// every call it receives in order: the chooser with the recogniser on real files, the
// reconciliation list, the account source, and each transaction's values.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/host_call_failures.h"
#include "tests/support/temp_dir.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::TakeErrorDescription;
using com_test::Widen;
using Lines = std::vector<std::string>;

namespace {

const std::string kLongHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit\n";
const std::string kShortHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Narrative #1,Type,Debit,Credit\n";

// A long-layout line: the account's columns, then the Date, Narrative #1 to #5, Type, Debit and
// Credit as `rest` gives them.
std::string LongLine(const std::string& sortCode, const std::string& account, const std::string& rest) {
    return sortCode + "," + account + ",Household,J SMITH,GBP,Current,VARRGB22,Varrow Bank,Quidlane," + rest + "\n";
}
std::string Ours(const std::string& rest) { return LongLine("123456", "12345678", rest); }
// A short-layout line of our account: Date, Narrative #1, Type, Debit, Credit.
std::string OursShort(const std::string& rest) {
    return "123456,12345678,Household,J SMITH,GBP,Current,VARRGB22,Varrow Bank,Quidlane," + rest + "\n";
}

// 5 March 2010 as an OLE Automation date; each later day adds 1.
constexpr double k5March2010 = 40242;

// How the substitute writes a text argument: in double quotes, with \ and " escaped.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// What one transaction receives, as the substitute records it.
struct Expected {
    int ordinal;  // the list's count of transactions handed out
    int number;
    double date;
    int direction;
    std::string amount;  // as the substitute writes the double
    std::string narrative;
    std::string reference;
    bool cheque = false;  // then a second narrative: "CHQ " and the first
};

Lines TransactionCalls(const Expected& t) {
    const std::string name = "StatementTransaction#" + std::to_string(t.ordinal);
    char date[32] = {};
    std::snprintf(date, sizeof date, "%g", t.date);
    Lines calls = {
        "StatementTransactions.3 Add() -> " + name,
        name + ".3 SetNumber(VT_I4 " + std::to_string(t.number) + ")",
        name + ".5 SetDate(" + date + ")",
        name + ".11 SetDirection(" + std::to_string(t.direction) + ")",
        name + ".37 SetAmount(" + t.amount + ")",
        name + ".31 SetNarrative(" + Quoted(t.narrative) + ")",
        name + ".7 SetReference(" + Quoted(t.reference) + ")",
    };
    if (t.cheque) calls.push_back(name + ".31 SetNarrative(" + Quoted("CHQ " + t.narrative) + ")");
    return calls;
}

Lines TransactionCalls(const std::vector<Expected>& transactions) {
    Lines calls;
    for (const auto& t : transactions) {
        const Lines one = TransactionCalls(t);
        calls.insert(calls.end(), one.begin(), one.end());
    }
    return calls;
}

// Whether the substitute host has no object alive any more.
HRESULT SubstituteHostCanUnloadNow() {
    const HMODULE module = ::GetModuleHandleW(L"SubstituteHost.dll");
    const auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

const Lines kChooserCalls = {
    "StatementFileChooser created",
    "BankConfiguration created",
    "BankConfiguration.2 PrepareStatementChooser(char[100] \"Varrow Online\", block)",
    "StatementFileChooser.1 Choose(recogniser set, rest as prepared)",
};

class StatementImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        com_test::ClearErrorInfo();
        ASSERT_EQ(::CoCreateInstance(CLSID_BankStatementService, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IBankStatementService, ReceiveAsVoid(service_)),
                  S_OK);
        list_ = substitute_host::MakeStatementTransactions();
        ASSERT_TRUE(list_);
    }
    void TearDown() override { substitute_host::Reset(); }

    std::string Write(const std::string& content, const std::string& name = "statement.csv") const {
        return files_.Write(name, content);
    }

    // Imports `path`, chosen by the user in the substitute chooser, for the account of `source`.
    HRESULT Import(const std::string& path, ITeskServiceFilter* source) {
        substitute_host::SetChooserAnswer(0, Widen(path));
        return service_->ImportStatement(source, list_.Get());
    }

    // Imports for the account 12-34-56 12345678.
    HRESULT ImportForOurAccount(const std::string& path) {
        const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
        return Import(path, filter.Get());
    }

    LONG ResultCode() const {
        LONG code = -1;
        EXPECT_EQ(service_->get_ResultCode(&code), S_OK);
        return code;
    }

    LONG ListCount() const {
        const substitute_host::RecordingPaused quiet;
        LONG count = -1;
        EXPECT_EQ(list_->get_Count(&count), S_OK);
        return count;
    }

    // A transaction already in the list before the import.
    void PutEarlierTransaction() const { PutEarlierTransaction(list_.Get()); }
    static void PutEarlierTransaction(ITeskStatementTransactions* list) {
        const substitute_host::RecordingPaused quiet;
        ComPtr<ITeskStatementTransaction> earlier;
        ASSERT_EQ(list->Add(earlier.Receive()), S_OK);
    }

    // The calls that added and filled transactions.
    static Lines AddedTransactions() {
        Lines calls;
        for (auto& call : substitute_host::CallsStartingWith("StatementTransaction")) {
            if (call.rfind("StatementTransactions.4", 0) == 0 || call.rfind("StatementTransactions.7", 0) == 0) continue;
            calls.push_back(std::move(call));
        }
        return calls;
    }

    TempDir files_;
    ComPtr<IBankStatementService> service_;
    ComPtr<ITeskStatementTransactions> list_;
};

TEST_F(StatementImportTest, ACancelledChooserLeavesTheListUntouchedAndSetsResultCodeOne) {
    PutEarlierTransaction();
    ASSERT_EQ(service_->put_ResultCode(7), S_OK);
    substitute_host::SetChooserAnswer(1, std::nullopt);
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
    EXPECT_EQ(HexText(service_->ImportStatement(filter.Get(), list_.Get())), "0x00000000");
    EXPECT_EQ(ResultCode(), 1);
    EXPECT_EQ(ListCount(), 1);
    Lines expected = kChooserCalls;
    expected.insert(expected.end(), {
                                        "StatementFileChooser.5 GetOutcome() -> 1",
                                        "StatementFileChooser.4 GetChosenPath() -> null",
                                        "BankConfiguration released",
                                        "StatementFileChooser released",
                                    });
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(StatementImportTest, AChosenStatementGoesThroughEveryStepInOrder) {
    PutEarlierTransaction();
    ASSERT_EQ(service_->put_ResultCode(7), S_OK);
    const std::string path = Write(kLongHeader + Ours("05/03/2010,TESCO STORES,,,,,DD,12.50,"));
    EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
    EXPECT_EQ(ResultCode(), 0);
    EXPECT_EQ(ListCount(), 1) << "the earlier transaction is gone, the new one is there";
    Lines expected = kChooserCalls;
    expected.insert(expected.end(), {
                                        "StatementFileChooser.5 GetOutcome() -> 0",
                                        "StatementFileChooser.4 GetChosenPath() -> " + Quoted(path),
                                        "BankConfiguration released",
                                        "StatementFileChooser released",
                                        "StatementTransactions.4 Clear()",
                                        "StatementTransactions.7 SetBalance(0)",
                                        "ServiceFilter.1 get_Account() -> FilterAccount",
                                        "FilterAccount.5 get_AccountNumber() -> \"12345678\"",
                                        "FilterAccount.1 get_SortCode() -> \"12-34-56\"",
                                    });
    const Lines transaction = TransactionCalls({{2, 1, k5March2010, 0, "12.5", "TESCO STORES", "DD"}});
    expected.insert(expected.end(), transaction.begin(), transaction.end());
    EXPECT_EQ(substitute_host::Calls(), expected);
}

TEST_F(StatementImportTest, AFileThatIsNoStatementEmptiesTheListAndAddsNothing) {
    const std::pair<const char*, std::string> cases[] = {
        {"12-field header", Write("A,B,C,D,E,F,G,H,I,J,K,L\n" + Ours("05/03/2010,TESCO,,,,,DD,1.00,"), "twelve.csv")},
        {"19-field header", Write(kLongHeader.substr(0, kLongHeader.size() - 1) + ",X\n" +
                                      Ours("05/03/2010,TESCO,,,,,DD,1.00,"),
                                  "nineteen.csv")},
        {"empty file", Write("", "empty.csv")},
        {"missing file", files_.File("missing.csv")},
        {"empty path", ""},
    };
    for (const auto& [name, path] : cases) {
        SCOPED_TRACE(name);
        substitute_host::Reset();
        PutEarlierTransaction();
        EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
        EXPECT_EQ(ResultCode(), 0);
        EXPECT_EQ(ListCount(), 0);
        EXPECT_EQ(substitute_host::CallsStartingWith("StatementTransactions"),
                  (Lines{"StatementTransactions.4 Clear()", "StatementTransactions.7 SetBalance(0)"}));
    }
}

TEST_F(StatementImportTest, OnlyTheAccountsRecordsAreAddedAndNumberedWithoutGaps) {
    const std::string path = Write(kLongHeader +                                                       //
                                   Ours("05/03/2010,FIRST,,,,,DD,1.00,") +                             //
                                   LongLine("123456", "87654321", "05/03/2010,OTHER NUMBER,,,,,DD,2.00,") +  //
                                   LongLine("654321", "12345678", "05/03/2010,OTHER SORT CODE,,,,,DD,3.00,") +
                                   LongLine("12-34-56", "12345678", "05/03/2010,DASHED SORT CODE,,,,,DD,4.00,") +
                                   Ours("06/03/2010,SECOND,,,,,DD,5.00,") +  //
                                   LongLine("", "", "06/03/2010,NO ACCOUNT,,,,,DD,6.00,") +  //
                                   Ours("07/03/2010,THIRD,,,,,DD,7.00,"));
    EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
    EXPECT_EQ(AddedTransactions(), TransactionCalls({
                                       {1, 1, k5March2010, 0, "1", "FIRST", "DD"},
                                       {2, 2, k5March2010 + 1, 0, "5", "SECOND", "DD"},
                                       {3, 3, k5March2010 + 2, 0, "7", "THIRD", "DD"},
                                   }));
    EXPECT_EQ(ListCount(), 3);
}

TEST_F(StatementImportTest, DebitsCreditsAndEmptyAmountsInBothLayouts) {
    const std::string longFile = Write(kLongHeader +                                   //
                                           Ours("05/03/2010,DEBIT,,,,,DD,12.50,") +    //
                                           Ours("05/03/2010,CREDIT,,,,,BGC,,7.00") +   //
                                           Ours("05/03/2010,NEITHER,,,,,MSC,,") +      //
                                           Ours("05/03/2010,SIGNED,,,,,DD,-12.50,") +  //
                                           Ours("05/03/2010,QUOTED,,,,,BGC,,\"1,234.56\"") +
                                           Ours("05/03/2010,ZERO DEBIT,,,,,BGC,0.00,3.25"),
                                       "long.csv");
    const std::string shortFile = Write(kShortHeader +                              //
                                            OursShort("05/03/2010,DEBIT,DD,12.50,") +   //
                                            OursShort("05/03/2010,CREDIT,BGC,,7.00") +  //
                                            OursShort("05/03/2010,NEITHER,MSC,,") +     //
                                            OursShort("05/03/2010,SIGNED,DD,-12.50,") +
                                            OursShort("05/03/2010,QUOTED,BGC,,\"1,234.56\"") +
                                            OursShort("05/03/2010,ZERO DEBIT,BGC,0.00,3.25"),
                                        "short.csv");
    for (const std::string& path : {longFile, shortFile}) {
        SCOPED_TRACE(path);
        substitute_host::Reset();
        list_ = substitute_host::MakeStatementTransactions();
        EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
        EXPECT_EQ(AddedTransactions(), TransactionCalls({
                                           {1, 1, k5March2010, 0, "12.5", "DEBIT", "DD"},
                                           {2, 2, k5March2010, 1, "7", "CREDIT", "BGC"},
                                           {3, 3, k5March2010, 1, "0", "NEITHER", "MSC"},
                                           {4, 4, k5March2010, 0, "12.5", "SIGNED", "DD"},
                                           {5, 5, k5March2010, 1, "1234.56", "QUOTED", "BGC"},
                                           {6, 6, k5March2010, 1, "3.25", "ZERO DEBIT", "BGC"},
                                       }));
    }
}

TEST_F(StatementImportTest, ChequesGetNarrativeOneAsReferenceAndTheirNarrativeTwice) {
    const std::string path = Write(kLongHeader +                                        //
                                   Ours("05/03/2010,000123,PAYEE,,,,CHQ,25.00,") +      //
                                   Ours("05/03/2010,000124,PAYEE,,,,chq,25.00,") +      //
                                   Ours("05/03/2010,,LATER LINE,,,,CHQ,,40.00") +       //
                                   Ours("05/03/2010,000125,A,B,C,D,CHQ,1.00,") +        //
                                   Ours("05/03/2010,\"Smith, J & Co\",,,,,CHQX,2.00,"));
    EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
    const Lines expected = TransactionCalls({
        {1, 1, k5March2010, 0, "25", "000123 PAYEE", "000123", true},
        {2, 2, k5March2010, 0, "25", "000124 PAYEE", "chq"},
        {3, 3, k5March2010, 1, "40", " LATER LINE", "", true},
        {4, 4, k5March2010, 0, "1", "000125 A B C D", "000125", true},
        // The Type keeps three characters: CHQX is stored as CHQ.
        {5, 5, k5March2010, 0, "2", "Smith, J & Co", "Smith, J & Co", true},
    });
    EXPECT_EQ(AddedTransactions(), expected);
}

TEST_F(StatementImportTest, AnUnreadableLineEndsTheImportKeepingWhatCameBefore) {
    const std::string twoRows = Ours("05/03/2010,FIRST,,,,,DD,1.00,") + Ours("06/03/2010,SECOND,,,,,DD,2.00,");
    const std::string after = Ours("07/03/2010,AFTER,,,,,DD,3.00,");
    const std::pair<const char*, std::string> files[] = {
        {"blank line", kLongHeader + twoRows + "\n" + after},
        {"13 fields", kLongHeader + twoRows + "123456,12345678,a,b,c,d,e,f,g,05/03/2010,h,DD,1.00\n" + after},
        {"a line longer than 2047 characters", kLongHeader + twoRows + Ours("07/03/2010," + std::string(2100, 'x') + ",,,,,DD,3.00,") + after},
        {"18 fields under a header of 14", kShortHeader + OursShort("05/03/2010,FIRST,DD,1.00,") +
                                               OursShort("06/03/2010,SECOND,DD,2.00,") + after +
                                               OursShort("07/03/2010,AFTER,DD,3.00,")},
        // An unquoted comma moves the type into the Debit column: not a receipt of 1250.00.
        {"a comma in a narrative", kShortHeader + OursShort("05/03/2010,FIRST,DD,1.00,") +
                                       OursShort("06/03/2010,SECOND,DD,2.00,") +
                                       OursShort("07/03/2010,SMITH, J,BAC,1250.00,") +
                                       OursShort("07/03/2010,AFTER,DD,3.00,")},
    };
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        substitute_host::Reset();
        list_ = substitute_host::MakeStatementTransactions();
        EXPECT_EQ(HexText(ImportForOurAccount(Write(content))), "0x00000000");
        EXPECT_EQ(ResultCode(), 0);
        EXPECT_EQ(AddedTransactions(), TransactionCalls({
                                           {1, 1, k5March2010, 0, "1", "FIRST", "DD"},
                                           {2, 2, k5March2010 + 1, 0, "2", "SECOND", "DD"},
                                       }));
    }
}

TEST_F(StatementImportTest, CrLfAndLfFilesGiveTheSameCalls) {
    const std::string lines[] = {kLongHeader, Ours("05/03/2010,FIRST,,,,,DD,1.00,"),
                                 Ours("06/03/2010,\"QUOTED, CREDIT\",,,,,BGC,,\"2,000.50\""),
                                 Ours("07/03/2010,000777,SHOP,,,,CHQ,3.00,")};
    std::string lf, crlf;
    for (const auto& line : lines) {
        lf += line;
        crlf += line.substr(0, line.size() - 1) + "\r\n";
    }
    ASSERT_EQ(HexText(ImportForOurAccount(Write(lf, "lf.csv"))), "0x00000000");
    const Lines fromLf = AddedTransactions();
    substitute_host::Reset();
    list_ = substitute_host::MakeStatementTransactions();
    ASSERT_EQ(HexText(ImportForOurAccount(Write(crlf, "crlf.csv"))), "0x00000000");
    EXPECT_EQ(AddedTransactions(), fromLf);
    EXPECT_EQ(fromLf.size(), 7u + 7u + 8u);
}

TEST_F(StatementImportTest, TextReachesTheHostConvertedFromTheAnsiCodePage) {
    // 0xA3 is the pound sign and 0xE9 e acute in Windows-1252.
    const std::string path = Write(kLongHeader + Ours("05/03/2010,CAF\xC9 \xA3" "5,,,,,DD,5.00,"));
    EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x00000000");
    EXPECT_EQ(AddedTransactions(), TransactionCalls({{1, 1, k5March2010, 0, "5", "CAF\xC3\x89 \xC2\xA3" "5", "DD"}}));
}

TEST_F(StatementImportTest, APathOutsideAsciiIsConvertedForTheReader) {
    const std::wstring name = L"Relev\u00E9 d\u00E9cembre.csv";
    const std::filesystem::path file = files_.Path() / name;
    {
        std::ofstream out(file, std::ios::binary);
        out << kLongHeader << Ours("05/03/2010,FIRST,,,,,DD,1.00,");
    }
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
    substitute_host::SetChooserAnswer(0, file.wstring());
    EXPECT_EQ(HexText(service_->ImportStatement(filter.Get(), list_.Get())), "0x00000000");
    EXPECT_EQ(ListCount(), 1);
}

TEST_F(StatementImportTest, TheAccountIsKeptForAnImportWhoseSourceGivesNone) {
    const std::string path = Write(kLongHeader +                                                  //
                                   Ours("05/03/2010,OURS,,,,,DD,1.00,") +                         //
                                   LongLine("654321", "87654321", "05/03/2010,THEIRS,,,,,DD,2.00,"));
    const auto ours = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
    const auto none = substitute_host::MakeServiceFilter(std::nullopt, std::nullopt);
    const auto onlyNumber = substitute_host::MakeServiceFilter(std::nullopt, L"87654321");
    const auto theirs = substitute_host::MakeServiceFilter(L"65 43 21", L"87654321");
    const Lines oursAdded = TransactionCalls({{1, 1, k5March2010, 0, "1", "OURS", "DD"}});
    const Lines theirsAdded = TransactionCalls({{1, 1, k5March2010, 0, "2", "THEIRS", "DD"}});
    const struct {
        const char* name;
        std::function<void()> script;
        ITeskServiceFilter* source;
        Lines added;
    } seconds[] = {
        {"the source fails", [] { substitute_host::FailMethod(HostObjectKind::ServiceFilter, 1, E_FAIL); }, ours.Get(),
         oursAdded},
        {"no source", [] {}, nullptr, oursAdded},
        {"the account gives null texts", [] {}, none.Get(), oursAdded},
        {"the account's calls fail",
         [] {
             substitute_host::FailMethod(HostObjectKind::FilterAccount, 1, E_FAIL);
             substitute_host::FailMethod(HostObjectKind::FilterAccount, 5, E_FAIL, L"no account number");
         },
         ours.Get(), oursAdded},
        {"only a new account number", [] {}, onlyNumber.Get(), {}},
        {"another account", [] {}, theirs.Get(), theirsAdded},
    };
    for (const auto& second : seconds) {
        SCOPED_TRACE(second.name);
        ComPtr<IBankStatementService> service;
        ASSERT_EQ(::CoCreateInstance(CLSID_BankStatementService, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IBankStatementService, ReceiveAsVoid(service)),
                  S_OK);
        substitute_host::Reset();
        substitute_host::SetChooserAnswer(0, Widen(path));
        ASSERT_EQ(HexText(service->ImportStatement(ours.Get(), list_.Get())), "0x00000000");
        substitute_host::Reset();
        second.script();
        substitute_host::SetChooserAnswer(0, Widen(path));
        list_ = substitute_host::MakeStatementTransactions();
        EXPECT_EQ(HexText(service->ImportStatement(second.source, list_.Get())), "0x00000000");
        EXPECT_EQ(AddedTransactions(), second.added);
        EXPECT_FALSE(TakeErrorDescription().has_value());
    }
}

TEST_F(StatementImportTest, AFirstImportWithoutAnAccountTakesOnlyRecordsWithoutOne) {
    const std::string path = Write(kLongHeader +                  //
                                   Ours("05/03/2010,OURS,,,,,DD,1.00,") +  //
                                   LongLine("", "", "05/03/2010,NO ACCOUNT,,,,,DD,2.00,"));
    substitute_host::FailMethod(HostObjectKind::ServiceFilter, 1, E_FAIL);
    const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
    EXPECT_EQ(HexText(Import(path, filter.Get())), "0x00000000");
    EXPECT_EQ(AddedTransactions(), TransactionCalls({{1, 1, k5March2010, 0, "2", "NO ACCOUNT", "DD"}}));
}

TEST_F(StatementImportTest, TheHostsSortCodeIsTakenAsAtMost32Bytes) {
    const std::string path = Write(kLongHeader + Ours("05/03/2010,OURS,,,,,DD,1.00,"));
    const struct {
        const wchar_t* sortCode;
        std::size_t added;
    } cases[] = {
        {L"ABCDEFGHIJKLMNOPQRSTUVWXYZ123456", 1},
        // 33 bytes: the last digit is cut off, leaving 12345.
        {L"ABCDEFGHIJKLMNOPQRSTUVWXYZ-123456", 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(Narrow(std::wstring(row.sortCode)));
        substitute_host::Reset();
        list_ = substitute_host::MakeStatementTransactions();
        const auto filter = substitute_host::MakeServiceFilter(row.sortCode, L"12345678");
        EXPECT_EQ(HexText(Import(path, filter.Get())), "0x00000000");
        EXPECT_EQ(ListCount(), static_cast<LONG>(row.added));
    }
}

struct HostFailure {
    const char* name;
    std::function<void()> script;
    const char* lastCall;  // the last call the host received, before the releases
    bool listUntouched;
};

TEST_F(StatementImportTest, HostCallFailuresArriveAsDispExceptionWithResultCodeZero) {
    const std::string path = Write(kLongHeader + Ours("05/03/2010,FIRST,,,,,DD,1.00,"));
    using Kind = HostObjectKind;
    const auto fail = [](Kind kind, long method, const wchar_t* description = nullptr) {
        return [=] {
            substitute_host::FailMethod(kind, method, E_ACCESSDENIED,
                                        description ? std::optional<std::wstring>(description) : std::nullopt);
        };
    };
    const HostFailure cases[] = {
        {"configuration not created",
         [] { substitute_host::FailCreation(Kind::BankConfiguration, REGDB_E_CLASSNOTREG); },
         "BankConfiguration creation -> 0x80040154", true},
        {"chooser not created", [] { substitute_host::FailCreation(Kind::StatementFileChooser, E_OUTOFMEMORY); },
         "BankConfiguration.2 PrepareStatementChooser(char[100] \"Varrow Online\", block)", true},
        {"configuration method 2", fail(Kind::BankConfiguration, 2, L"not configured"),
         "BankConfiguration.2 PrepareStatementChooser(char[100] \"Varrow Online\", block) -> 0x80070005", true},
        {"chooser method 1", fail(Kind::StatementFileChooser, 1),
         "StatementFileChooser.1 Choose(recogniser set, rest as prepared) -> 0x80070005", true},
        {"chooser method 5", fail(Kind::StatementFileChooser, 5, L"no outcome"),
         "StatementFileChooser.5 GetOutcome() -> 0x80070005", true},
        {"chooser method 4 after a choice", fail(Kind::StatementFileChooser, 4),
         "StatementFileChooser.4 GetChosenPath() -> 0x80070005", true},
        {"list method 4", fail(Kind::StatementTransactions, 4, L"list locked"),
         "StatementTransactions.4 Clear() -> 0x80070005", true},
        {"list method 7", fail(Kind::StatementTransactions, 7), "StatementTransactions.7 SetBalance(0) -> 0x80070005",
         false},
        {"list method 3", fail(Kind::StatementTransactions, 3, L"list full"),
         "StatementTransactions.3 Add() -> 0x80070005", false},
        {"transaction method 3", fail(Kind::StatementTransaction, 3),
         "StatementTransaction#2.3 SetNumber(VT_I4 1) -> 0x80070005", false},
        {"transaction method 5", fail(Kind::StatementTransaction, 5),
         "StatementTransaction#2.5 SetDate(40242) -> 0x80070005", false},
        {"transaction method 11", fail(Kind::StatementTransaction, 11),
         "StatementTransaction#2.11 SetDirection(0) -> 0x80070005", false},
        {"transaction method 37", fail(Kind::StatementTransaction, 37, L"amount refused"),
         "StatementTransaction#2.37 SetAmount(1) -> 0x80070005", false},
        {"transaction method 31", fail(Kind::StatementTransaction, 31),
         "StatementTransaction#2.31 SetNarrative(\"FIRST\") -> 0x80070005", false},
        {"transaction method 7", fail(Kind::StatementTransaction, 7),
         "StatementTransaction#2.7 SetReference(\"DD\") -> 0x80070005", false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        substitute_host::Reset();
        list_ = substitute_host::MakeStatementTransactions();
        PutEarlierTransaction();
        ASSERT_EQ(service_->put_ResultCode(7), S_OK);
        row.script();
        EXPECT_EQ(HexText(ImportForOurAccount(path)), "0x80020009");
        EXPECT_EQ(ResultCode(), 0);
        EXPECT_FALSE(TakeErrorDescription().has_value()) << "the host's error object stays off the thread";
        if (row.listUntouched) {
            EXPECT_EQ(ListCount(), 1);
            EXPECT_EQ(substitute_host::CallsStartingWith("StatementTransactions.7"), Lines{});
        }
        // Nothing was called after the failing call, and the host objects were released.
        Lines calls = substitute_host::Calls();
        while (!calls.empty() && calls.back().find(" released") != std::string::npos) calls.pop_back();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), row.lastCall);
        const Lines created = substitute_host::CallsStartingWith("StatementFileChooser created");
        EXPECT_EQ(substitute_host::CallsStartingWith("StatementFileChooser released").size(), created.size());
        EXPECT_EQ(substitute_host::CallsStartingWith("BankConfiguration released").size(),
                  substitute_host::CallsStartingWith("BankConfiguration created").size());
    }
}

// What an import that failed at one host call must show: the account source and its account are
// asked for nothing but the account, so their failures are tolerated; every other failure ends the
// import as a dispatch exception, at once or, for an object that could not be created, at its
// first use.
struct ImportFailure {
    bool tolerated;
    std::size_t position;
    const Lines& succeeded;

    static bool Tolerates(const std::string& call) {
        return host_calls::IsOf(call, "ServiceFilter.1 ") || host_calls::IsOf(call, "FilterAccount.");
    }

    // The calls the import makes after the failing one.
    Lines After() const {
        if (!tolerated) return host_calls::UntilFirstUse(succeeded, position);
        Lines after = host_calls::AfterWithoutReleases(succeeded, position);
        // Without its account the source's account is asked nothing.
        if (host_calls::IsOf(succeeded[position], "ServiceFilter.1 ")) {
            after.erase(std::remove_if(after.begin(), after.end(),
                                       [](const std::string& call) { return host_calls::IsOf(call, "FilterAccount."); }),
                        after.end());
        }
        return after;
    }

    // The list: emptied once Clear went through, then one transaction per Add that went through.
    LONG ListCount(const Lines& made) const {
        bool cleared = false;
        LONG added = 0;
        for (const auto& call : made) {
            cleared = cleared || call == "StatementTransactions.4 Clear()";
            added += call.rfind("StatementTransactions.3 Add() -> StatementTransaction#", 0) == 0 ? 1 : 0;
        }
        return (cleared ? 0 : 1) + added;
    }
};

TEST_F(StatementImportTest, AFailureAtEveryHostCallEndsAsItsPlaceInTheImportSays) {
    const std::string path = Write(kLongHeader + Ours("05/03/2010,FIRST,,,,,DD,1.00,") +
                                   LongLine("654321", "11111111", "06/03/2010,OTHER,,,,,DD,2.00,") +
                                   Ours("07/03/2010,000123,PAYEE,,,,CHQ,,3.00"));
    list_.Reset();
    const auto importOnce = [&] {
        const auto list = substitute_host::MakeStatementTransactions();
        PutEarlierTransaction(list.Get());
        const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
        substitute_host::SetChooserAnswer(0, Widen(path));
        const HRESULT hr = service_->ImportStatement(filter.Get(), list.Get());
        const substitute_host::RecordingPaused quiet;
        LONG count = -1;
        list->get_Count(&count);
        return std::make_pair(hr, count);
    };
    // The first import leaves the account with the service, for an import whose source then fails.
    ASSERT_EQ(HexText(importOnce().first), "0x00000000");
    ASSERT_EQ(substitute_host::LiveObjects(), 0);
    const Lines succeeded = substitute_host::Calls();

    for (const std::size_t position : host_calls::FailingPositions(succeeded)) {
        for (const auto& variant : host_calls::kVariants) {
            SCOPED_TRACE("failing " + succeeded[position] + ", " + variant.name);
            substitute_host::Reset();
            com_test::ClearErrorInfo();
            substitute_host::FailCall(position, host_calls::kFailure, variant.description);
            ASSERT_EQ(service_->put_ResultCode(7), S_OK);
            const ImportFailure failure{ImportFailure::Tolerates(succeeded[position]), position, succeeded};

            const auto [hr, count] = importOnce();

            EXPECT_EQ(HexText(hr), failure.tolerated ? "0x00000000" : "0x80020009");
            EXPECT_EQ(ResultCode(), 0);
            EXPECT_FALSE(TakeErrorDescription().has_value()) << "an error object was left on the thread";
            const Lines made = substitute_host::Calls();
            Lines expected = host_calls::BeforeWithoutReleases(succeeded, position);
            expected.push_back(host_calls::Failed(succeeded[position]));
            const Lines after = failure.After();
            expected.insert(expected.end(), after.begin(), after.end());
            EXPECT_EQ(host_calls::BeforeWithoutReleases(made, made.size()), expected);
            EXPECT_EQ(count, failure.ListCount(made));
            EXPECT_EQ(substitute_host::LiveObjects(), 0) << "a host object is still held";
        }
    }
}

TEST_F(StatementImportTest, EveryHostObjectIsReleasedWhateverTheOutcome) {
    const std::string path = Write(kLongHeader + Ours("05/03/2010,FIRST,,,,,DD,1.00,") +
                                   Ours("06/03/2010,000123,PAYEE,,,,CHQ,2.00,") + Ours("07/03/2010,THIRD,,,,,BGC,,3.00"));
    const struct {
        const char* name;
        std::function<void()> script;
        const char* result;
    } cases[] = {
        {"imported", [] {}, "0x00000000"},
        {"chooser left without a file", [] { substitute_host::SetChooserAnswer(1, std::nullopt); }, "0x00000000"},
        {"a transaction refuses its amount",
         [] { substitute_host::FailMethod(HostObjectKind::StatementTransaction, 37, E_FAIL, L"refused"); },
         "0x80020009"},
        {"the chooser fails", [] { substitute_host::FailMethod(HostObjectKind::StatementFileChooser, 1, E_FAIL); },
         "0x80020009"},
    };
    list_.Reset();
    ASSERT_EQ(SubstituteHostCanUnloadNow(), S_OK) << "nothing of the substitute host is alive before the import";
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        substitute_host::Reset();
        {
            const auto list = substitute_host::MakeStatementTransactions();
            const auto filter = substitute_host::MakeServiceFilter(L"12-34-56", L"12345678");
            substitute_host::SetChooserAnswer(0, Widen(path));
            row.script();
            EXPECT_EQ(HexText(service_->ImportStatement(filter.Get(), list.Get())), row.result);
            EXPECT_EQ(SubstituteHostCanUnloadNow(), S_FALSE) << "the test's own list is alive";
        }
        EXPECT_EQ(SubstituteHostCanUnloadNow(), S_OK) << "a host object is still held";
    }
}

TEST_F(StatementImportTest, AFailingPathDoesNotMatterWhenNoFileWasChosen) {
    substitute_host::FailMethod(HostObjectKind::StatementFileChooser, 4, E_FAIL, L"no path");
    substitute_host::SetChooserAnswer(1, std::nullopt);
    EXPECT_EQ(HexText(service_->ImportStatement(nullptr, list_.Get())), "0x00000000");
    EXPECT_EQ(ResultCode(), 1);
    EXPECT_FALSE(TakeErrorDescription().has_value()) << "the host's error object was left on the thread";
}

TEST_F(StatementImportTest, APathLongerThanTheBufferIsRefusedNotCut) {
    PutEarlierTransaction();
    // A real file whose name the buffer would cut: "<dir>\<259 characters>" and one more.
    const std::string folder = files_.Path().string();
    const std::string fits = folder + "\\" + std::string(259 - folder.size() - 1, 'a');
    ASSERT_EQ(fits.size(), 259u);
    const std::string tooLong = fits + "b";
    EXPECT_EQ(HexText(ImportForOurAccount(tooLong)), "0x800AFFFF");
    EXPECT_EQ(ResultCode(), 0);
    wchar_t* systemText = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILENAME_EXCED_RANGE,
                     0x400, reinterpret_cast<wchar_t*>(&systemText), 0, nullptr);
    const UniqueLocalMemory<wchar_t*> owned(systemText);
    ASSERT_NE(systemText, nullptr);
    EXPECT_EQ(Narrow(TakeErrorDescription().value_or(L"<none>")), Narrow(std::wstring(systemText)));
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(substitute_host::CallsStartingWith("StatementTransactions"), Lines{});
    // 259 characters fit: the file does not exist, so the list is only emptied.
    substitute_host::Reset();
    EXPECT_EQ(HexText(ImportForOurAccount(fits)), "0x00000000");
    EXPECT_EQ(ListCount(), 0);
}

TEST_F(StatementImportTest, WithoutAListNothingIsAsked) {
    EXPECT_EQ(HexText(service_->ImportStatement(nullptr, nullptr)), "0x800AFFFC");
    EXPECT_EQ(Narrow(TakeErrorDescription().value_or(L"<none>")), "Invalid argument");
    EXPECT_EQ(substitute_host::Calls(), Lines{});
}

TEST_F(StatementImportTest, TheChooserCallsTheRecogniserOnRealCandidateFiles) {
    const std::string longFile = Write(kLongHeader + Ours("05/03/2010,FIRST,,,,,DD,1.00,"), "long.csv");
    const std::string shortFile = Write(kShortHeader, "short.csv");
    const std::string crlfFile = Write("A,B,C,D,E,F,G,H,I,J,K,L,M,N\r\n", "crlf.csv");
    const std::string twelve = Write("A,B,C,D,E,F,G,H,I,J,K,L\n", "twelve.csv");
    const std::string payments = Write("PayerBankSortCode,Value\n40-12-76,1.00\n", "payments.csv");
    const std::string missing = files_.File("missing.csv");
    for (const auto& candidate : {longFile, shortFile, crlfFile, twelve, payments, missing}) {
        substitute_host::AddChooserCandidate(candidate);
    }
    EXPECT_EQ(HexText(ImportForOurAccount(longFile)), "0x00000000");
    const std::string yes = " -> 1, char[256] \"Varrow Quidlane Statement\"";
    const std::string no = " -> 0, char[256] \"\"";
    const Lines expected = {
        "StatementRecogniser(" + Quoted(longFile) + ")" + yes,  "StatementRecogniser(" + Quoted(shortFile) + ")" + yes,
        "StatementRecogniser(" + Quoted(crlfFile) + ")" + yes,  "StatementRecogniser(" + Quoted(twelve) + ")" + no,
        "StatementRecogniser(" + Quoted(payments) + ")" + no, "StatementRecogniser(" + Quoted(missing) + ")" + no,
    };
    EXPECT_EQ(substitute_host::CallsStartingWith("StatementRecogniser"), expected);
    EXPECT_EQ(ListCount(), 1);
}

}  // namespace
