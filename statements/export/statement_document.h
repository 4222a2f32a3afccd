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
// written. What is kept of each is only what the formats write, packed, and it is formatted as
// it is written.
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
        std::vector<std::string> kept;  // its dated transactions, packed, in blocks that never move
        std::size_t count = 0;    // how many
        double first = 0;         // their earliest and latest date
        double last = 0;
        bool inDateOrder = true;  // each one's date is no earlier than the one before
    };

    const std::vector<Account>& AccountsHeld() const noexcept { return accounts_; }
    // Hands each dated transaction of `account` to `each`, in file order. The transaction's
    // number, currency and account type are not kept.
    static void ForEachTransaction(const Account& account, const std::function<void(const ExportedTransaction&)>& each);

private:
    Account& AccountOf(const ExportedTransaction& transaction);

    std::vector<Account> accounts_;
    std::unordered_map<std::string, std::size_t> index_;  // sort code, NUL, number
    std::size_t lastUsed_ = 0;
    std::string key_;  // scratch
};

// Collects text for a TextSink in blocks, so that a large document goes out in few pieces.
class TextBlock {
public:
    explicit TextBlock(const TextSink& out) : out_(out) {}
    ~TextBlock() { Flush(); }
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    std::string& Text() noexcept { return text_; }
    // Hands the text on once a block is full.
    void Next() {
        if (text_.size() >= kBlock) Flush();
    }
    void Flush() {
        if (!text_.empty()) out_(text_);
        text_.clear();
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    const TextSink& out_;
    std::string text_;
};
