#pragma once
#include <array>
#include <cstdint>

#include "common/cstring.h"

class CKTXTransactionFile;

// One data line of a statement, split into its fields, with the date and the amount converted.
// Text fields are kept as the file holds them, without enclosing quotes and cut to their kept
// lengths (see the reader).
class CTransactionRecord {
public:
    // Why a line could not be read. Raised inside the reader and never leaving it; the reader
    // keeps the last one for callers that tell the user why a line was refused.
    enum ReadError {
        NoReadError = 0,
        FieldCountTooLow = 1,   // fewer than 14 fields, an empty line, the end of the file
        StreamNotOpen = 4,      // the file is not open
        ColumnOutOfRange = 5,   // a column beyond the header's count: 18 fields under a 14-field header
        FieldMissing = 6,       // the line has no such field
        FieldTooLong = 7,       // a column that is read holds more than 511 characters
        LineTooLong = 8,        // the line holds more than 2047 characters
        NulInLine = 9,          // the line holds a NUL byte: not text
        AmountOutOfRange = 10,  // an amount too large for a double
        OutOfMemory = 11,       // a string could not be allocated
        NotAnAmount = 12,       // a Debit or Credit column holds text that is no amount: the columns moved
        TooManyFields = 13,     // more than 18 fields under a header of 18: a separator moved the columns
    };

    CTransactionRecord() = default;

    // Every text empty, both amounts 0, the debit flag 0, the date value 0.
    void Reset();

    const CString& SortCode() const noexcept { return sortCode_; }
    const CString& AccountNumber() const noexcept { return accountNumber_; }
    const CString& AccountAlias() const noexcept { return accountAlias_; }
    const CString& AccountShortName() const noexcept { return accountShortName_; }
    const CString& Currency() const noexcept { return currency_; }
    const CString& AccountType() const noexcept { return accountType_; }
    const CString& Bic() const noexcept { return bic_; }
    const CString& BankName() const noexcept { return bankName_; }
    const CString& BranchName() const noexcept { return branchName_; }
    const CString& DateText() const noexcept { return dateText_; }
    const CString& NarrativeBuffer() const noexcept { return narrativeBuffer_; }
    // Narrative #1 to #5; any other line raises CAtlException(E_INVALIDARG).
    const CString& Narrative(int line) const;
    const CString& Type() const noexcept { return type_; }
    double DebitAmount() const noexcept { return debitAmount_; }
    double CreditAmount() const noexcept { return creditAmount_; }
    // 1 for a debit, 0 for a credit or a line with neither amount.
    std::int32_t DebitFlag() const noexcept { return debitFlag_; }
    // OLE Automation date; 0 when the Date column gives no date.
    double DateValue() const noexcept { return dateValue_; }

    // Narrative #1, then one space and each later narrative line that is not empty. Kept in the
    // narrative buffer as well.
    CString GetNarrative();

private:
    friend class CKTXTransactionFile;

    CString sortCode_;
    CString accountNumber_;
    CString accountAlias_;
    CString accountShortName_;
    CString currency_;
    CString accountType_;
    CString bic_;
    CString bankName_;
    CString branchName_;
    CString dateText_;
    CString narrativeBuffer_;
    std::array<CString, 5> narratives_;
    CString type_;
    double debitAmount_ = 0;
    double creditAmount_ = 0;
    std::int32_t debitFlag_ = 0;
    double dateValue_ = 0;
};
