#include "statements/export/ofx_writer.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "statements/export/export_text.h"
#include "statements/export/transaction_type.h"
#include "statements/export/written_text.h"

namespace {

constexpr std::string_view kSgmlHeader =
    "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\nCHARSET:1252\r\n"
    "COMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n";
constexpr std::string_view kXmlHeader =
    "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"no\"?>\r\n"
    "<?OFX OFXHEADER=\"200\" VERSION=\"201\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\r\n";

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

// The markup of one transaction's elements, the same in every version but for the end of an
// element: a line end in SGML, the closing tag and a line end in XML. The names are literals, so
// that each piece of markup is copied with a length the compiler knows.
template <bool kXml, std::size_t kLength>
char* Close(char* out, const char (&name)[kLength]) {
    if constexpr (kXml) {
        out = WriteText(out, "</");
        out = WriteText(out, std::string_view(name, kLength - 1));
        *out++ = '>';
    }
    return WriteText(out, "\r\n");
}

template <std::size_t kLength>
char* Open(char* out, const char (&name)[kLength]) {
    *out++ = '<';
    out = WriteText(out, std::string_view(name, kLength - 1));
    *out++ = '>';
    return out;
}

// `plain`: the text is known to need no escaping (IsPlainOfxText).
template <bool kXml, std::size_t kLength>
char* WriteTextElement(char* out, const char (&name)[kLength], std::string_view text, bool plain = false) {
    out = Open(out, name);
    return Close<kXml>(plain ? WriteText(out, text) : WriteOfxText(out, text), name);
}

// The most a transaction's markup and values take, besides its texts (at most the longest each
// element takes, escaped).
constexpr std::size_t kTransactionRoom = 400 + 2 * kDateRoom + kAmountRoom + FitidRule::kRoom +
                                         OfxTextRoom(kOfxCheckNumberLength + kOfxNameLength + kOfxMemoLength);

// Transactions formatted a few at a time, so that their FITIDs' hashes are made side by side.
class Batch {
public:
    bool Full() const noexcept { return size_ == FitidRule::kBatch; }
    void Add(const KeptTransaction& transaction) {
        transactions_[size_] = transaction;
        dates_[size_] = dateTexts_.Of(transaction.date);
        amounts_[size_] = std::string_view(amountText_[size_], static_cast<std::size_t>(
                                                                   WritePlainAmount(amountText_[size_], transaction.amount) - amountText_[size_]));
        ++size_;
    }
    // Writes each transaction with `write` and empties the batch.
    template <class Write>
    void Flush(const FitidRule& fitids, Write&& write) {
        std::uint64_t hashes[FitidRule::kBatch];
        fitids.HashEach(transactions_, amounts_, size_, hashes);
        for (std::size_t i = 0; i < size_; ++i) write(transactions_[i], dates_[i], amounts_[i], hashes[i]);
        size_ = 0;
    }

private:
    KeptTransaction transactions_[FitidRule::kBatch];
    std::string_view dates_[FitidRule::kBatch];
    std::string_view amounts_[FitidRule::kBatch];
    CompactDates dateTexts_;
    char amountText_[FitidRule::kBatch][kAmountRoom];
    std::size_t size_ = 0;
};

template <bool kXml>
char* WriteTransaction(char* out, const KeptTransaction& transaction, std::string_view date, std::string_view amount,
                       std::uint64_t hash, FitidRule& fitids) {
    out = WriteText(out, "<STMTTRN>\r\n");
    out = Close<kXml>(WriteText(Open(out, "TRNTYPE"), OfxTransactionType(transaction.typeCode, transaction.debit)), "TRNTYPE");
    out = Close<kXml>(WriteText(Open(out, "DTPOSTED"), date), "DTPOSTED");
    out = Open(out, "TRNAMT");
    if (transaction.debit) *out++ = '-';
    out = Close<kXml>(WriteText(out, amount), "TRNAMT");
    out = Close<kXml>(fitids.WriteNext(Open(out, "FITID"), transaction.date, date, hash), "FITID");
    if (!transaction.chequeNumber.empty()) {
        out = WriteTextElement<kXml>(out, "CHECKNUM", transaction.chequeNumber.substr(0, kOfxCheckNumberLength));
    }
    if (!transaction.narrative.empty()) {
        // The name is the start of the memo: one look at the memo tells whether either needs escaping.
        const std::string_view memo = transaction.narrative.substr(0, kOfxMemoLength);
        const bool plain = IsPlainOfxText(memo);
        out = WriteTextElement<kXml>(out, "NAME", memo.substr(0, kOfxNameLength), plain);
        out = WriteTextElement<kXml>(out, "MEMO", memo, plain);
    }
    return WriteText(out, "</STMTTRN>\r\n");
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

template <bool kXml>
void OfxDocument::WriteTransactions(TextBlock& block, const Account& account) {
    FitidRule fitids(account.id.sortCode, account.id.number, account.inDateOrder);
    Batch batch;
    const auto write = [&](const KeptTransaction& transaction, std::string_view date, std::string_view amount,
                           std::uint64_t hash) {
        block.Commit(WriteTransaction<kXml>(block.Room(kTransactionRoom), transaction, date, amount, hash, fitids));
    };
    ForEachTransaction(account, [&](const KeptTransaction& transaction) {
        batch.Add(transaction);
        if (batch.Full()) batch.Flush(fitids, write);
    });
    batch.Flush(fitids, write);
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
    const bool xml = options_.version == OfxVersion::Xml201;
    std::string text(xml ? kXmlHeader : kSgmlHeader);  // the markup between the transactions
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
    TextBlock block(out);
    for (const auto& account : accounts) {
        if (account.count == 0) continue;
        AppendStatementStart(text, account);
        block.Append(text);
        text.clear();
        if (xml) {
            WriteTransactions<true>(block, account);
        } else {
            WriteTransactions<false>(block, account);
        }
        Line(text, "</BANKTRANLIST>");
        AppendLedgerBalance(text, account);
        Line(text, "</STMTRS>");
        Line(text, "</STMTTRNRS>");
    }
    if (anyWritten) Line(text, "</BANKMSGSRSV1>");
    Line(text, "</OFX>");
    block.Append(text);
    block.Flush();
}
