#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "statements/export/export_text.h"
#include "statements/export/exported_transaction.h"

// FITID, the id by which a money program knows a transaction it has imported already: made from
// what the transaction is (its account, date, direction, amount, Type and narrative) and, for
// identical transactions, their order among themselves. The same transaction in two downloads
// that overlap gets the same FITID; two transactions of one file never do.
//
// The text is YYYYMMDD-HASH-N: the date, 16 hex digits of a 64-bit FNV-1a hash of the rest, and N,
// counting 1, 2, ... the transactions of the file with the same date and hash in file order. Two
// different transactions whose hashes collide thus still differ by N.
class FitidRule {
public:
    // The most a FITID takes.
    static constexpr std::size_t kRoom = kDateRoom + 1 + 16 + 1 + 10;

    // For the transactions of one account. `datesAscend`: they come in date order, so identical
    // ones, which share a day, are counted day by day and the counts of a day gone by are dropped.
    FitidRule(std::string_view sortCode, std::string_view account, bool datesAscend = false);

    // The hash of what `transaction` is, `amount` being its amount as the statement writes it
    // (WritePlainAmount). `transaction` is of the rule's account.
    std::uint64_t HashOf(const KeptTransaction& transaction, std::string_view amount) const;
    // The hashes of up to kBatch transactions, computed side by side: each is a chain of
    // multiplications, every one waiting for the one before, which a processor runs several of at
    // once when they are interleaved.
    static constexpr std::size_t kBatch = 4;
    void HashEach(const KeptTransaction* transactions, const std::string_view* amounts, std::size_t count,
                  std::uint64_t* hashes) const;
    // Writes the FITID of the transaction that has `date` (as WriteCompactDate writes it) and
    // `hash`, the next of its kind, at `out` (kRoom) and returns its end. The transaction has a date.
    char* WriteNext(char* out, double date, std::string_view dateText, std::uint64_t hash);
    // The FITID of `transaction`, the next of its kind.
    std::string Next(const ExportedTransaction& transaction);

private:
    // How many transactions of one day and hash came so far: an open-addressing table, cheaper than
    // a node per transaction in a large statement.
    struct Slot {
        std::uint64_t hash = 0;
        std::int32_t day = 0;
        std::int32_t count = 0;  // 0: empty
    };
    std::int32_t& CountOf(std::int32_t day, std::uint64_t hash);
    void Grow();

    std::uint64_t accountHash_;  // the hash of the account, where every transaction's starts
    bool datesAscend_;
    std::int32_t day_ = 0;
    std::vector<Slot> slots_;  // a power of two long, at most half full
    std::size_t used_ = 0;
};
