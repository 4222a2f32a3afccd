// The sample statement imported through the registered component gives the host exactly what
// `varrow statement` prints for the same file and account: the command is run as a process, and
// the substitute host's recorded calls are turned back into the command's CSV.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "testhost/substitute_host.h"
#include "tests/support/com_support.h"
#include "tests/support/process.h"

using com_test::HexText;
using com_test::Widen;
using Lines = std::vector<std::string>;

namespace {

const std::string kSample = VARROW_SAMPLES_DIR "/statement.csv";
const std::string kCsvHeader = "number,sort_code,account,date,direction,amount,type,narrative\n";

// What the host holds for one transaction, and the methods it received, in order.
struct HostRow {
    std::string number, date, direction, amount, reference;
    Lines narratives;
    std::vector<int> methods;
};

// The argument text of a recorded call: between the first "(" and the last ")".
std::string Argument(const std::string& call) {
    const auto open = call.find('(');
    return call.substr(open + 1, call.rfind(')') - open - 1);
}

// Undoes the substitute's quoting of a text argument.
std::string Unquoted(const std::string& quoted) {
    std::string text;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\') ++i;
        text += quoted[i];
    }
    return text;
}

// YYYY-MM-DD as the command prints a date; empty for no date.
std::string IsoDate(const std::string& value) {
    const double date = std::stod(value);
    SYSTEMTIME parts{};
    if (date == 0 || !::VariantTimeToSystemTime(date, &parts)) return {};
    char text[16] = {};
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", parts.wYear, parts.wMonth, parts.wDay);
    return text;
}

std::string CsvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (const char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The transactions the host received, by the list's ordinal.
std::map<int, HostRow> HostRows(const Lines& calls) {
    const std::string prefix = "StatementTransaction#";
    std::map<int, HostRow> rows;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) != 0) continue;
        const int ordinal = std::stoi(call.substr(prefix.size()));
        const int method = std::stoi(call.substr(call.find('.') + 1));
        const std::string argument = Argument(call);
        HostRow& row = rows[ordinal];
        row.methods.push_back(method);
        switch (method) {
        case 3: row.number = argument.substr(argument.find(' ') + 1); break;
        case 5: row.date = IsoDate(argument); break;
        case 11: row.direction = argument == "0" ? "debit" : "credit"; break;
        case 37: row.amount = argument; break;
        case 31: row.narratives.push_back(Unquoted(argument)); break;
        case 7: row.reference = Unquoted(argument); break;
        default: break;
        }
    }
    return rows;
}

// The command's CSV for what the host holds: the record's account columns are those of the
// account imported, since only its records are added.
std::string CsvOf(const std::map<int, HostRow>& rows, const std::string& sortCode, const std::string& account) {
    std::string csv = kCsvHeader;
    for (const auto& [ordinal, row] : rows) {
        const std::string narrative = row.narratives.empty() ? "<none>" : row.narratives.back();
        csv += row.number + "," + sortCode + "," + account + "," + row.date + "," + row.direction + "," + row.amount +
               "," + CsvField(row.reference) + "," + CsvField(narrative) + "\n";
    }
    return csv;
}

std::string Methods(const HostRow& row) {
    std::string text;
    for (const int method : row.methods) text += (text.empty() ? "" : " ") + std::to_string(method);
    return text;
}

class SampleStatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        substitute_host::Reset();
        ASSERT_EQ(::CoCreateInstance(CLSID_BankStatementService, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IBankStatementService, ReceiveAsVoid(service_)),
                  S_OK);
    }
    void TearDown() override { substitute_host::Reset(); }

    ComPtr<IBankStatementService> service_;
};

TEST_F(SampleStatementTest, TheHostReceivesWhatVarrowStatementPrints) {
    const struct {
        std::string sortCode, account, digits;
        std::size_t rows;
    } accounts[] = {
        {"40-12-76", "41829374", "401276", 9},
        {"401276", "52630018", "401276", 1},
        {"20 98 76", "10293847", "209876", 1},
        {"99-99-99", "41829374", "999999", 0},
    };
    for (const auto& account : accounts) {
        SCOPED_TRACE(account.sortCode + " " + account.account);
        substitute_host::Reset();
        const auto list = substitute_host::MakeStatementTransactions();
        const auto filter = substitute_host::MakeServiceFilter(Widen(account.sortCode), Widen(account.account));
        substitute_host::SetChooserAnswer(0, Widen(kSample));
        ASSERT_EQ(HexText(service_->ImportStatement(filter.Get(), list.Get())), "0x00000000");

        const auto printed =
            RunVarrow({"statement", "--sort-code", account.sortCode, "--account", account.account, kSample});
        ASSERT_EQ(printed.exitCode, 0) << printed.err;
        const auto rows = HostRows(substitute_host::Calls());
        EXPECT_EQ(CsvOf(rows, account.digits, account.account), printed.out);
        EXPECT_EQ(rows.size(), account.rows);
        EXPECT_EQ(substitute_host::CallsStartingWith("StatementTransactions.3").size(), account.rows);

        // Each transaction got its values in the host's order; a cheque's narrative came twice,
        // the second time behind "CHQ ".
        for (const auto& [ordinal, row] : rows) {
            SCOPED_TRACE("transaction " + std::to_string(ordinal));
            const std::string methods = Methods(row);
            if (row.narratives.size() == 2) {
                EXPECT_EQ(methods, "3 5 11 37 31 7 31");
                EXPECT_EQ(row.narratives[1], "CHQ " + row.narratives[0]);
            } else {
                EXPECT_EQ(methods, "3 5 11 37 31 7");
            }
        }
    }
}

TEST_F(SampleStatementTest, TheSampleHoldsChequesDebitsCreditsAndOtherAccounts) {
    const auto list = substitute_host::MakeStatementTransactions();
    const auto filter = substitute_host::MakeServiceFilter(L"40-12-76", L"41829374");
    substitute_host::SetChooserAnswer(0, Widen(kSample));
    ASSERT_EQ(HexText(service_->ImportStatement(filter.Get(), list.Get())), "0x00000000");
    const auto rows = HostRows(substitute_host::Calls());
    std::map<std::string, int> kinds;
    for (const auto& [ordinal, row] : rows) {
        ++kinds[row.direction];
        if (row.narratives.size() == 2) ++kinds["cheque"];
    }
    EXPECT_EQ(kinds["debit"], 6);
    EXPECT_EQ(kinds["credit"], 3);
    EXPECT_EQ(kinds["cheque"], 2);
}

}  // namespace
