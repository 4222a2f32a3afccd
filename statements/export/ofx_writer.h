#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "statements/export/fitid.h"
#include "statements/export/statement_document.h"

enum class OfxVersion {
    Sgml102,  // OFX 1.02: SGML after a header block
    Xml201,   // OFX 2.0.1: XML
};

struct OfxOptions {
    OfxVersion version = OfxVersion::Sgml102;
    // The ledger balance, written as an OFX amount, when the user knows it: the bank's file holds
    // none. It belongs to one account, so a document with a closing balance holds one account.
    std::optional<std::string> closingBalance;
    // The date of the ledger balance; the account's last transaction date when not given.
    std::optional<double> balanceDate;
    // Today, for DTSERVER when no transaction and no balance date gives a date.
    double today = 0;
};

// OFX's ACCTTYPE for the Account Type column: SAVINGS, MONEYMRKT or CREDITLINE where the column
// says so, CHECKING otherwise.
std::string_view OfxAccountType(std::string_view accountTypeColumn);

// The longest texts OFX takes in a transaction's elements: a reader may refuse a longer one or
// cut it where it likes. Each is cut at a character, and the file's characters are single bytes.
constexpr std::size_t kOfxNameLength = 32;
constexpr std::size_t kOfxMemoLength = 255;
constexpr std::size_t kOfxCheckNumberLength = 12;

// A statement as OFX: one statement response per account, in the order the accounts first appear,
// each with the dated transactions of its account in file order. Text is the file's own
// Windows-1252, declared so (CHARSET:1252 in the header block; encoding="windows-1252" in XML).
//
// Without a closing balance the ledger balance is written without an amount (BALAMT empty): the
// readers that check a statement against the format's definition (libofx, a DTD validator) refuse
// one without LEDGERBAL, and the bank's file gives no balance to put in it.
class OfxDocument : public StatementDocument {
public:
    explicit OfxDocument(OfxOptions options);
    void Write(const TextSink& out) const override;

private:
    // Writes each transaction of `account` with the markup of one version.
    template <bool kXml>
    static void WriteTransactions(TextBlock& block, const Account& account);
    // <NAME>value, closed in XML; `value` as written, text escaped.
    void CloseElement(std::string& out, std::string_view name) const;
    void AppendElement(std::string& out, std::string_view name, std::string_view value) const;
    void AppendTextElement(std::string& out, std::string_view name, std::string_view text) const;
    void AppendDateElement(std::string& out, std::string_view name, double date) const;
    // The statement response of `account` up to its transactions.
    void AppendStatementStart(std::string& out, const Account& account) const;
    void AppendLedgerBalance(std::string& out, const Account& account) const;
    double ServerDate() const;

    OfxOptions options_;
};
