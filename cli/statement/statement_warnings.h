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
    // `undatedFate` says what becomes of a transaction without a date in the output.
    explicit StatementWarnings(std::string undatedFate = "the transaction is printed without one")
        : undatedFate_(std::move(undatedFate)) {}

    // A record read at `line`; `taken` when it became a transaction. Called for every record, so
    // what needs nothing noted (a dated transaction, another account's record once one matched)
    // costs nothing more.
    void RecordRead(const CTransactionRecord& record, long line, bool taken) {
        anyRead_ = true;
        anyTaken_ = anyTaken_ || taken;
        if (taken ? record.DateValue() == 0 : !anyTaken_) Note(record, line, taken);
    }

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
    void Note(const CTransactionRecord& record, long line, bool taken);

    std::string undatedFate_;
    std::vector<Undated> undated_;  // the first few
    long undatedCount_ = 0;
    bool anyTaken_ = false;
    bool anyRead_ = false;
    std::vector<Account> others_;  // the first few accounts of records not taken
    bool moreOthers_ = false;
};

}  // namespace cli
