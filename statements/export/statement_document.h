#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "statements/export/exported_transaction.h"
#include "statements/export/record_chain.h"
#include "statements/export/text_block.h"

// An account as the records name it: Sort Code and Account Number as stored.
struct ExportedAccountId {
    std::string sortCode;
    std::string number;
};

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
    // Bytes taken from the system to keep the transactions.
    std::size_t KeptBytes() const noexcept { return arena_.Reserved(); }

protected:
    struct Account {
        ExportedAccountId id;
        std::string currency;     // of its first transaction
        std::string accountType;  // of its first transaction
        RecordChain kept;         // its dated transactions, packed
        std::size_t count = 0;    // how many
        double first = 0;         // their earliest and latest date
        double last = 0;
        bool inDateOrder = true;  // each one's date is no earlier than the one before
    };

    const std::vector<Account>& AccountsHeld() const noexcept { return accounts_; }
    // Hands each dated transaction of `account` to `each`, in file order; its texts stay as long as
    // the document.
    template <class Each>
    static void ForEachTransaction(const Account& account, Each&& each) {
        account.kept.ForEachChunk([&](std::string_view chunk) {
            for (const char* at = chunk.data(); at < chunk.data() + chunk.size();) {
                KeptTransaction transaction;
                at = Unpack(at, transaction);
                each(static_cast<const KeptTransaction&>(transaction));
            }
        });
    }

private:
    Account& AccountOf(const ExportedTransaction& transaction);
    // The packed transaction at `at`, and where the next begins.
    static const char* Unpack(const char* at, KeptTransaction& transaction);

    RecordArena arena_;
    std::vector<Account> accounts_;
    std::unordered_map<std::string, std::size_t> index_;  // sort code, NUL, number
    std::size_t lastUsed_ = 0;
    std::string key_;  // scratch
};
