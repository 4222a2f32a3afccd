#include "statements/export/ofx_writer.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Cheque;
using export_test::Date;
using export_test::Transaction;
using export_test::Written;

OfxOptions Options(OfxVersion version, std::optional<std::string> closingBalance = std::nullopt,
                   std::optional<double> balanceDate = std::nullopt, double today = 0) {
    OfxOptions options;
    options.version = version;
    options.closingBalance = std::move(closingBalance);
    options.balanceDate = balanceDate;
    options.today = today;
    return options;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// The part of `text` from the first `from` to the next `to` after it.
std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const auto start = text.find(from);
    return start == std::string::npos ? "" : text.substr(start, text.find(to, start) - start);
}

TEST(OfxDocument, WritesOfx102WithItsHeaderBlock) {
    OfxDocument document({});
    document.Add(Transaction());
    const std::string text = Written(document);
    const std::string expected =
        "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\nCHARSET:1252\r\n"
        "COMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
        "<OFX>\r\n<SIGNONMSGSRSV1>\r\n<SONRS>\r\n<STATUS>\r\n<CODE>0\r\n<SEVERITY>INFO\r\n</STATUS>\r\n"
        "<DTSERVER>20100305\r\n<LANGUAGE>ENG\r\n</SONRS>\r\n</SIGNONMSGSRSV1>\r\n"
        "<BANKMSGSRSV1>\r\n<STMTTRNRS>\r\n<TRNUID>0\r\n<STATUS>\r\n<CODE>0\r\n<SEVERITY>INFO\r\n</STATUS>\r\n"
        "<STMTRS>\r\n<CURDEF>GBP\r\n<BANKACCTFROM>\r\n<BANKID>123456\r\n<ACCTID>12345678\r\n<ACCTTYPE>CHECKING\r\n"
        "</BANKACCTFROM>\r\n<BANKTRANLIST>\r\n<DTSTART>20100305\r\n<DTEND>20100305\r\n"
        "<STMTTRN>\r\n<TRNTYPE>DIRECTDEBIT\r\n<DTPOSTED>20100305\r\n<TRNAMT>-12.50\r\n<FITID>" +
        FitidRule("123456", "12345678").Next(Transaction()) +
        "\r\n<NAME>TESCO STORES\r\n<MEMO>TESCO STORES\r\n</STMTTRN>\r\n</BANKTRANLIST>\r\n"
        "<LEDGERBAL>\r\n<BALAMT>\r\n<DTASOF>20100305\r\n</LEDGERBAL>\r\n"
        "</STMTRS>\r\n</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";
    EXPECT_EQ(text, expected);
}

TEST(OfxDocument, WritesOfx2AsXmlInWindows1252) {
    OfxDocument document(Options(OfxVersion::Xml201));
    document.Add(Transaction());
    const std::string text = Written(document);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"no\"?>\r\n"
                         "<?OFX OFXHEADER=\"200\" VERSION=\"201\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\r\n"
                         "<OFX>\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("<TRNAMT>-12.50</TRNAMT>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<LEDGERBAL>\r\n<BALAMT></BALAMT>\r\n<DTASOF>20100305</DTASOF>\r\n</LEDGERBAL>"), std::string::npos);
    const std::string body = text.substr(text.find("<OFX>"));
    EXPECT_EQ(Count(body, "<"), 2 * Count(body, "</")) << body;  // every element closed
}

TEST(OfxDocument, GivesEachAccountOneStatementInTheOrderItFirstAppears) {
    OfxDocument document({});
    const struct {
        const char* sortCode;
        const char* account;
        double date;
    } rows[] = {{"200000", "2", Date(2010, 3, 9)}, {"100000", "1", Date(2010, 3, 5)}, {"200000", "2", Date(2010, 3, 2)},
                {"100000", "1", Date(2010, 3, 7)}, {"200000", "2", Date(2010, 3, 4)}};
    for (const auto& row : rows) {
        ExportedTransaction t = Transaction();
        t.sortCode = row.sortCode;
        t.account = row.account;
        t.date = row.date;
        document.Add(t);
    }
    const std::string text = Written(document);
    EXPECT_TRUE(std::regex_search(text, std::regex("<BANKID>200000[^]*<BANKID>100000"))) << text;
    EXPECT_EQ(Count(text, "<STMTRS>"), 2u);
    const std::string second = Between(text, "<BANKID>200000", "</STMTRS>");
    EXPECT_EQ(Count(second, "<STMTTRN>"), 3u);
    EXPECT_NE(second.find("<DTSTART>20100302\r\n<DTEND>20100309"), std::string::npos) << second;
    EXPECT_TRUE(std::regex_search(second, std::regex("<DTPOSTED>20100309[^]*<DTPOSTED>20100302[^]*<DTPOSTED>20100304")));
    EXPECT_NE(text.find("<DTSERVER>20100309"), std::string::npos);
}

TEST(OfxDocument, TakesTypeCurrencyAndAccountTypeFromTheRecords) {
    OfxDocument document({});
    ExportedTransaction t = Cheque("0001234567890", "O'NEILL & <SONS>");
    t.debit = false;
    t.currency = "";
    t.accountType = "Business Reserve";
    document.Add(t);
    const std::string text = Written(document);
    EXPECT_NE(text.find("<CURDEF>GBP\r\n"), std::string::npos);
    EXPECT_NE(text.find("<ACCTTYPE>SAVINGS\r\n"), std::string::npos);
    EXPECT_NE(text.find("<TRNTYPE>CHECK\r\n"), std::string::npos);
    EXPECT_NE(text.find("<TRNAMT>12.50\r\n"), std::string::npos);
    EXPECT_NE(text.find("<CHECKNUM>000123456789\r\n<NAME>CHQ 0001234567890 O'NEILL &amp; &lt;SON\r\n"
                        "<MEMO>CHQ 0001234567890 O'NEILL &amp; &lt;SONS&gt;\r\n"), std::string::npos) << text;
}

// A cheque's narrative is "CHQ " and five lines of up to 50 characters: 258. Each element is cut
// where OFX ends it, at a character, and an escaped character is never split.
TEST(OfxDocument, CutsEachTextWhereOfxEndsIt) {
    const std::string lines = std::string(232, 'a') + "&&&&&zzz";  // 258 with "CHQ 0001234567890 "
    OfxDocument document({});
    document.Add(Cheque("0001234567890", lines));
    const std::string text = Written(document);
    const std::string memo = Between(text, "<MEMO>", "\r\n").substr(6);
    EXPECT_EQ(memo, "CHQ 0001234567890 " + std::string(232, 'a') + "&amp;&amp;&amp;&amp;&amp;") << memo;
    EXPECT_EQ(Between(text, "<NAME>", "\r\n"), "<NAME>CHQ 0001234567890 " + std::string(14, 'a'));
    EXPECT_EQ(Between(text, "<CHECKNUM>", "\r\n"), "<CHECKNUM>000123456789");
    const std::string fitid = Between(text, "<FITID>", "\r\n").substr(7);
    ExportedTransaction other = Cheque("0001234567890", lines.substr(0, lines.size() - 1) + "x");
    EXPECT_NE(fitid, FitidRule("123456", "12345678").Next(other)) << "the id is made from the whole narrative";
}

// The name's 32 characters are counted before escaping: a character to escape at the edge is kept
// whole or left out whole, in both versions.
TEST(OfxDocument, CutsTheNameAtThirtyTwoCharactersBeforeEscaping) {
    const struct {
        std::string narrative, name;
    } rows[] = {
        {std::string(31, 'a') + "&<b", std::string(31, 'a') + "&amp;"},
        {std::string(32, 'a') + "&", std::string(32, 'a')},
        {"SHORT & SWEET", "SHORT &amp; SWEET"},
    };
    for (const OfxVersion version : {OfxVersion::Sgml102, OfxVersion::Xml201}) {
        for (const auto& row : rows) {
            OfxDocument document(Options(version));
            ExportedTransaction t = Transaction();
            t.narrative = row.narrative;
            document.Add(t);
            const std::string text = Written(document);
            const std::string name = Between(text, "<NAME>", "\r\n");
            EXPECT_EQ(name.substr(6, name.find("</NAME>") - 6), row.name) << row.narrative;
        }
    }
}

TEST(OfxDocument, LeavesOutWhatItCannotWrite) {
    OfxDocument document({});
    ExportedTransaction undated = Transaction();
    undated.date = 0;
    document.Add(undated);
    ExportedTransaction silent = Transaction();
    silent.narrative = "";
    silent.sortCode = "999999";
    document.Add(silent);
    const std::string text = Written(document);
    EXPECT_EQ(document.Accounts().size(), 2u);
    EXPECT_EQ(Count(text, "<STMTRS>"), 1u) << "an account with no dated transaction has no statement";
    EXPECT_EQ(Count(text, "<STMTTRN>"), 1u);
    EXPECT_EQ(text.find("<NAME>"), std::string::npos);
    EXPECT_EQ(text.find("<MEMO>"), std::string::npos);
}

TEST(OfxDocument, WritesTheClosingBalanceAsOfItsDateOrTheLastTransaction) {
    const struct {
        std::optional<double> balanceDate;
        const char* asOf;
    } cases[] = {{std::nullopt, "20100305"}, {Date(2010, 3, 31), "20100331"}};
    for (const auto& c : cases) {
        OfxDocument document(Options(OfxVersion::Sgml102, "-1234.56", c.balanceDate));
        document.Add(Transaction());
        EXPECT_NE(Written(document).find(std::string("<LEDGERBAL>\r\n<BALAMT>-1234.56\r\n<DTASOF>") + c.asOf),
                  std::string::npos) << c.asOf;
    }
}

TEST(OfxDocument, WithoutTransactionsHasNoStatementAndDatesTheServerToday) {
    OfxDocument document(Options(OfxVersion::Sgml102, std::nullopt, std::nullopt, Date(2026, 1, 2)));
    const std::string text = Written(document);
    EXPECT_NE(text.find("<DTSERVER>20260102"), std::string::npos);
    EXPECT_EQ(text.find("BANKMSGSRSV1"), std::string::npos);
}

TEST(OfxDocument, RefusesOneClosingBalanceForSeveralAccounts) {
    OfxDocument document(Options(OfxVersion::Sgml102, "1.00"));
    document.Add(Transaction());
    ExportedTransaction other = Transaction();
    other.account = "87654321";
    document.Add(other);
    EXPECT_THROW(Written(document), std::invalid_argument);
}

TEST(OfxAccountType, FindsTheKindInTheAccountTypeColumn) {
    const struct {
        const char* column;
        const char* type;
    } cases[] = {{"Business Current", "CHECKING"},  {"", "CHECKING"},           {"Business Reserve", "SAVINGS"},
                 {"instant savings", "SAVINGS"},    {"Deposit", "SAVINGS"},     {"Money Market", "MONEYMRKT"},
                 {"Credit Line", "CREDITLINE"},     {"Overdraft", "CREDITLINE"}, {"Credit Card", "CHECKING"}};
    for (const auto& c : cases) EXPECT_EQ(OfxAccountType(c.column), c.type) << c.column;
}

}  // namespace
