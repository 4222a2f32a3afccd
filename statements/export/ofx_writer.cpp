#include "statements/export/ofx_writer.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "statements/export/export_text.h"
#include "statements/export/transaction_type.h"

namespace {

constexpr std::string_view kSgmlHeader =
    "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\nCHARSET:1252\r\n"
    "COMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n";
constexpr std::string_view kXmlHeader =
    "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"no\"?>\r\n"
    "<?OFX OFXHEADER=\"200\" VERSION=\"201\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\r\n";

// OFX allows a NAME of 32 characters and a CHECKNUM of 12.
constexpr std::size_t kNameLength = 32;
constexpr std::size_t kCheckNumberLength = 12;

constexpr struct {
    std::string_view word;  // upper case, found anywhere in the column
    std::string_view type;
} kAccountTypes[] = {
    {"SAVING", "SAVINGS"}, {"RESERVE", "SAVINGS"}, {"DEPOSIT", "SAVINGS"},
    {"MONEY MARKET", "MONEYMRKT"}, {"CREDIT LINE", "CREDITLINE"}, {"OVERDRAFT", "CREDITLINE"},
};

void Line(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

}  // namespace

std::string_view OfxAccountType(std::string_view accountTypeColumn) {
    std::string upper(accountTypeColumn);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    for (const auto& known : kAccountTypes) {
        if (upper.find(known.word) != std::string::npos) return known.type;
    }
    return "CHECKING";
}

OfxDocument::OfxDocument(OfxOptions options) : options_(std::move(options)) {}

void OfxDocument::CloseElement(std::string& out, std::string_view name) const {
    if (options_.version == OfxVersion::Xml201) {
        out += "</";
        out += name;
        out += '>';
    }
    out += "\r\n";
}

void OfxDocument::AppendElement(std::string& out, std::string_view name, std::string_view value) const {
    out += '<';
    out += name;
    out += '>';
    out += value;
    CloseElement(out, name);
}

void OfxDocument::AppendTextElement(std::string& out, std::string_view name, std::string_view text) const {
    out += '<';
    out += name;
    out += '>';
    AppendOfxText(out, text);
    CloseElement(out, name);
}

void OfxDocument::AppendDateElement(std::string& out, std::string_view name, double date) const {
    out += '<';
    out += name;
    out += '>';
    AppendCompactDate(out, date);
    CloseElement(out, name);
}

void OfxDocument::AppendTransaction(std::string& out, const ExportedTransaction& transaction, FitidRule& fitids) const {
    std::string date, amount;  // short enough to need no allocation
    AppendCompactDate(date, transaction.date);
    AppendPlainAmount(amount, transaction.amount);
    Line(out, "<STMTTRN>");
    AppendElement(out, "TRNTYPE", OfxTransactionType(transaction.typeCode, transaction.debit));
    AppendElement(out, "DTPOSTED", date);
    out += "<TRNAMT>";
    if (transaction.debit) out += '-';
    out += amount;
    CloseElement(out, "TRNAMT");
    out += "<FITID>";
    fitids.AppendNext(out, transaction, date, amount);
    CloseElement(out, "FITID");
    const std::string_view chequeNumber = transaction.ChequeNumber();
    if (!chequeNumber.empty()) AppendTextElement(out, "CHECKNUM", chequeNumber.substr(0, kCheckNumberLength));
    const std::string_view narrative = transaction.narrative;
    if (!narrative.empty()) {
        AppendTextElement(out, "NAME", narrative.substr(0, kNameLength));
        AppendTextElement(out, "MEMO", narrative);
    }
    Line(out, "</STMTTRN>");
}

double OfxDocument::ServerDate() const {
    double latest = 0;
    for (const auto& account : AccountsHeld()) {
        if (account.count > 0 && (latest == 0 || account.last > latest)) latest = account.last;
    }
    if (latest != 0) return latest;
    return options_.balanceDate.value_or(options_.today);
}

void OfxDocument::AppendLedgerBalance(std::string& out, const Account& account) const {
    Line(out, "<LEDGERBAL>");
    AppendElement(out, "BALAMT", options_.closingBalance.value_or(""));
    AppendDateElement(out, "DTASOF", options_.balanceDate.value_or(account.last));
    Line(out, "</LEDGERBAL>");
}

void OfxDocument::AppendStatementStart(std::string& out, const Account& account) const {
    Line(out, "<STMTTRNRS>");
    AppendElement(out, "TRNUID", "0");
    Line(out, "<STATUS>");
    AppendElement(out, "CODE", "0");
    AppendElement(out, "SEVERITY", "INFO");
    Line(out, "</STATUS>");
    Line(out, "<STMTRS>");
    AppendTextElement(out, "CURDEF", account.currency.empty() ? std::string_view("GBP") : account.currency);
    Line(out, "<BANKACCTFROM>");
    AppendTextElement(out, "BANKID", account.id.sortCode);
    AppendTextElement(out, "ACCTID", account.id.number);
    AppendElement(out, "ACCTTYPE", OfxAccountType(account.accountType));
    Line(out, "</BANKACCTFROM>");
    Line(out, "<BANKTRANLIST>");
    AppendDateElement(out, "DTSTART", account.first);
    AppendDateElement(out, "DTEND", account.last);
}

void OfxDocument::Write(const TextSink& out) const {
    const auto& accounts = AccountsHeld();
    if (options_.closingBalance && accounts.size() > 1) throw std::invalid_argument("a closing balance belongs to one account");
    TextBlock block(out);
    std::string& text = block.Text();
    text = options_.version == OfxVersion::Xml201 ? kXmlHeader : kSgmlHeader;
    Line(text, "<OFX>");
    Line(text, "<SIGNONMSGSRSV1>");
    Line(text, "<SONRS>");
    Line(text, "<STATUS>");
    AppendElement(text, "CODE", "0");
    AppendElement(text, "SEVERITY", "INFO");
    Line(text, "</STATUS>");
    AppendDateElement(text, "DTSERVER", ServerDate());
    AppendElement(text, "LANGUAGE", "ENG");
    Line(text, "</SONRS>");
    Line(text, "</SIGNONMSGSRSV1>");
    const bool anyWritten = std::any_of(accounts.begin(), accounts.end(), [](const Account& a) { return a.count > 0; });
    if (anyWritten) Line(text, "<BANKMSGSRSV1>");
    for (const auto& account : accounts) {
        if (account.count == 0) continue;
        AppendStatementStart(text, account);
        FitidRule fitids(account.id.sortCode, account.id.number, account.inDateOrder);
        ForEachTransaction(account, [&](const ExportedTransaction& transaction) {
            AppendTransaction(text, transaction, fitids);
            block.Next();
        });
        Line(text, "</BANKTRANLIST>");
        AppendLedgerBalance(text, account);
        Line(text, "</STMTRS>");
        Line(text, "</STMTTRNRS>");
    }
    if (anyWritten) Line(text, "</BANKMSGSRSV1>");
    Line(text, "</OFX>");
}
