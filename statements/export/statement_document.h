#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "statements/export/exported_transaction.h"

// An account as the records name it: Sort Code and Account Number as stored.
struct ExportedAccountId {
    std::string sortCode;
    std::string number;
};

// Receives a document's text, piece by piece.
using TextSink = std::function<void(std::string_view)>;

// A statement written as one whole file: OFX and QIF group the transactions by account and name
// an account's dates before its transactions, so every transaction is taken before anything is
// written. Each is formatted as it comes, so what is held is the text to be written.
class StatementDocument {
public:
    virtual ~StatementDocument() = default;

    // The next transaction the import takes. One without a date cannot be written and is left
    // out; its account still counts as met.
    void Add(const ExportedTransaction& transaction);
    // Every account met, in the order of its first transaction.
    std::vector<ExportedAccountId> Accounts() const;
    // The whole file.
    virtual void Write(const TextSink& out) const = 0;

protected:
    struct Account {
        ExportedAccountId id;
        std::string currency;     // of its first transaction
        std::string accountType;  // of its first transaction
        std::string body;         // its transactions, formatted
        std::size_t written = 0;  // transactions in `body`
        double first = 0;         // earliest and latest date of those
        double last = 0;
    };

    virtual void AppendTransaction(std::string& body, const ExportedTransaction& transaction) = 0;
    const std::vector<Account>& AccountsHeld() const noexcept { return accounts_; }

private:
    Account& AccountOf(const ExportedTransaction& transaction);

    std::vector<Account> accounts_;
    std::unordered_map<std::string, std::size_t> index_;  // sort code, NUL, number
    std::size_t lastUsed_ = 0;
    std::string key_;  // scratch
};
