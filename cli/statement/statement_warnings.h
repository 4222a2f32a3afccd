#pragma once
#include <optional>
#include <string>
#include <vector>

#include "statements/statement_account.h"
#include "statements/transaction_record.h"

namespace cli {

// What `varrow statement` warns about once a statement is read, none of which changes what it
// prints: transactions whose Date column gives no date, and an account that matched nothing in a
// file of other accounts' records.
class StatementWarnings {
public:
    // A record read at `line`; `taken` when it became a transaction.
    void RecordRead(const CTransactionRecord& record, long line, bool taken);

    // One line each, to follow "varrow statement: FILE: "; `account` is the one asked for.
    std::vector<std::string> Lines(const std::optional<StatementAccount>& account) const;

private:
    struct Undated {
        long line;
        std::string dateText;
    };
    struct Account {
        std::string sortCode, number;
    };
    void NoteAccount(const CTransactionRecord& record);

    std::vector<Undated> undated_;  // the first few
    long undatedCount_ = 0;
    bool anyTaken_ = false;
    bool anyRead_ = false;
    std::vector<Account> others_;  // the first few accounts of records not taken
    bool moreOthers_ = false;
};

}  // namespace cli
