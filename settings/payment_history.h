#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The payments written in the last days by every user of the machine, in PAYMENTS.HST beside
// BANKSERV.INI, so that a payment run can point at a payment that looks written already.
//
// A payment is known by a text of its identity, which the caller makes. The history keeps only the
// text's keyed SHA-256 digest (HMAC-SHA-256 under a random key made once per installation and kept
// in PAYMENTS.KEY beside it), so that the file names no account, amount or reference. Its lines,
// after a first line that names the file:
//
//   DIGEST<TAB>PROCESSING DATE<TAB>DATE WRITTEN<TAB>FILE
//
// 64 lower-case hexadecimal digits, dates YYYY-MM-DD, and the written file's path. Runs of several
// users take turns through a lock on PAYMENTS.LCK with a bounded wait, and the file is replaced
// whole, so that a crash leaves the old history or the new one.

// Where and when a payment was written before.
struct PastWrite {
    std::string file;
    double processingDate = 0;  // OLE dates, at midnight
    double writtenOn = 0;
};

struct HistoryLookup {
    // For each identity asked, its latest write in the days looked back, if any.
    std::vector<std::optional<PastWrite>> found;
    // The numbers (from 1) of the lines skipped as damaged.
    std::vector<std::size_t> damagedLines;
    // Why the history cannot be used at all, if it cannot; nothing was found then.
    std::optional<std::string> failure;
};

class PaymentHistory {
public:
    static constexpr std::chrono::milliseconds kLockWait{5000};

    // The history in `folder`, looking `days` back from the day of the OLE date `today`: a write on
    // that day or any of the `days` days before it counts, and is kept.
    PaymentHistory(std::string folder, int days, double today, std::chrono::milliseconds lockWait = kLockWait);

    std::string Path() const;

    // The earlier writes of each identity. Reads the history and never changes it.
    HistoryLookup Find(const std::vector<std::string>& identities) const;

    // Adds a line for each identity, written today to `file` for `processingDate`, drops the lines
    // older than the days looked back and the damaged ones, and replaces the file; makes the key
    // first when there is none. Nothing on success, otherwise why the history is unchanged.
    std::optional<std::string> Record(const std::vector<std::string>& identities, double processingDate,
                                      const std::string& file) const;

private:
    std::string folder_;
    double oldest_;  // the first day that counts
    double today_;
    std::chrono::milliseconds lockWait_;
};
