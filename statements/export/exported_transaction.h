#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "statements/statement_import.h"
#include "statements/transaction_record.h"

// What the formats write of a transaction once its account is known: kept for each until the
// document is written, its texts pointing into wherever it is kept.
struct KeptTransaction {
    double date = 0;                // OLE Automation date
    double amount = 0;              // never negative
    bool debit = false;
    std::string_view typeCode;      // the bank's Type code
    std::string_view chequeNumber;  // Narrative #1 of a cheque; empty for anything else
    std::string_view narrative;     // what the host finally holds
};

// One transaction as the import hands it to the host, with the columns of its record that the
// other formats need besides: its account and the bank's own Type code.
struct ExportedTransaction {
    std::int32_t number = 0;
    std::string sortCode;     // the record's Sort Code as stored
    std::string account;      // the record's Account Number as stored
    std::string currency;     // the record's Currency column
    std::string accountType;  // the record's Account Type column
    std::string typeCode;     // the record's Type: the bank's transaction type code
    double date = 0;          // OLE Automation date; 0 when the Date column gives none
    bool debit = false;
    double amount = 0;        // never negative
    std::string reference;    // what the host receives as the type: the Type, or a cheque's number
    std::string narrative;    // what the host finally holds: "CHQ " and the narrative for a cheque

    // Takes the record's own columns; the host's values follow through ExportedTransactionSink.
    // Reuses the strings' storage, so one object can serve a whole file.
    void Start(const CTransactionRecord& record);
    bool IsCheque() const noexcept { return typeCode == std::string_view(kChequeType); }
    // Narrative #1 of a cheque, which the host receives as its type; empty for anything else.
    std::string_view ChequeNumber() const noexcept { return IsCheque() ? std::string_view(reference) : std::string_view(); }
    // The transaction as a view of this object.
    KeptTransaction Kept() const noexcept { return {date, amount, debit, typeCode, ChequeNumber(), narrative}; }
};

// Fills an ExportedTransaction with what the import hands the host (HandTransaction), so that
// every format shows what the host receives.
class ExportedTransactionSink : public TransactionSink {
public:
    explicit ExportedTransactionSink(ExportedTransaction& transaction) : transaction_(transaction) {}
    void SetNumber(std::int32_t number) override { transaction_.number = number; }
    void SetDate(double date) override { transaction_.date = date; }
    void SetDirection(std::int32_t direction) override { transaction_.debit = direction == kDebitDirection; }
    void SetAmount(double amount) override { transaction_.amount = amount; }
    void SetNarrative(const CString& narrative) override { transaction_.narrative = narrative.View(); }
    void SetType(const CString& type) override { transaction_.reference = type.View(); }

private:
    ExportedTransaction& transaction_;
};
