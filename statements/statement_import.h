#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/cstring.h"
#include "statements/statement_account.h"
#include "statements/transaction_record.h"

// One new transaction of the host's reconciliation collection (StatementTransaction). Each call
// stands for one host method, and the import makes them in the order the host receives them.
// Destroying the object releases the transaction.
class TransactionSink {
public:
    virtual ~TransactionSink() = default;
    virtual void SetNumber(std::int32_t number) = 0;           // method 3, as a VT_I4 VARIANT
    virtual void SetDate(double date) = 0;                     // method 5, OLE Automation date
    virtual void SetDirection(std::int32_t direction) = 0;     // method 11
    virtual void SetAmount(double amount) = 0;                 // method 37, never negative
    virtual void SetNarrative(const CString& narrative) = 0;   // method 31
    virtual void SetType(const CString& type) = 0;             // method 7
};

// The host's reconciliation collection (StatementTransactions) as the reading loop uses it.
class TransactionCollection {
public:
    virtual ~TransactionCollection() = default;
    // A new transaction (method 3). `source` is the record it will be filled from: the host is not
    // told, but the command prints the record's own account columns beside the host's values.
    virtual std::unique_ptr<TransactionSink> AddTransaction(const CTransactionRecord& source) = 0;
    // Every record read, at `line` of the file, and whether it is of the account (then it becomes
    // a transaction right after). The host is not told; the command warns from it.
    virtual void RecordRead(const CTransactionRecord& /*record*/, long /*line*/, bool /*ofTheAccount*/) {}
};

constexpr std::int32_t kDebitDirection = 0;
constexpr std::int32_t kCreditDirection = 1;
constexpr const char* kChequeType = "CHQ";

// Hands one record to `transaction` as the host receives it: the running number, the date value,
// the direction, the amount, the joined narrative, then the Type or, for a cheque (Type exactly
// "CHQ"), Narrative #1 and "CHQ " with the joined narrative as the narrative it finally holds.
void HandTransaction(CTransactionRecord& record, std::int32_t number, TransactionSink& transaction);

// How reading a statement file ended.
struct ImportOutcome {
    bool opened = false;         // the file could be opened
    int headerFieldCount = 0;    // the header's field count
    bool isStatement = false;    // the header has 14 or 18 fields: records were read
    std::int32_t added = 0;      // transactions handed to the collection
    // The line at which reading stopped while more of the file followed (a trailing run of blank
    // lines is the end of the file), and why; 0 when the whole file was read.
    long stoppedAtLine = 0;
    CTransactionRecord::ReadError stopReason = CTransactionRecord::NoReadError;
    std::string stopReasonText;  // the same in words (CKTXTransactionFile::LastReason)
};

// Reads the statement at `path` in binary mode and adds one transaction to `transactions` for each
// record of `account`, numbered from 1, until the first line that cannot be read. Without an
// account every readable record is taken.
ImportOutcome ImportStatementFile(const std::string& path, const std::optional<StatementAccount>& account,
                                  TransactionCollection& transactions);
