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
    };

    CTransactionRecord() = default;

    // Every text empty, both amounts 0, the debit flag 0, the date value 0.
    void Reset();

    const CString& SortCode() const noexcept { return m_sortCode; }
    const CString& AccountNumber() const noexcept { return m_accountNumber; }
    const CString& AccountAlias() const noexcept { return m_accountAlias; }
    const CString& AccountShortName() const noexcept { return m_accountShortName; }
    const CString& Currency() const noexcept { return m_currency; }
    const CString& AccountType() const noexcept { return m_accountType; }
    const CString& Bic() const noexcept { return m_bic; }
    const CString& BankName() const noexcept { return m_bankName; }
    const CString& BranchName() const noexcept { return m_branchName; }
    const CString& DateText() const noexcept { return m_dateText; }
    const CString& NarrativeBuffer() const noexcept { return m_narrativeBuffer; }
    // Narrative #1 to #5; any other line raises CAtlException(E_INVALIDARG).
    const CString& Narrative(int line) const;
    const CString& Type() const noexcept { return m_type; }
    double DebitAmount() const noexcept { return m_debitAmount; }
    double CreditAmount() const noexcept { return m_creditAmount; }
    // 1 for a debit, 0 for a credit or a line with neither amount.
    std::int32_t DebitFlag() const noexcept { return m_debitFlag; }
    // OLE Automation date; 0 when the Date column gives no date.
    double DateValue() const noexcept { return m_dateValue; }

    // Narrative #1, then one space and each later narrative line that is not empty. Kept in the
    // narrative buffer as well.
    CString GetNarrative();

private:
    friend class CKTXTransactionFile;

    CString m_sortCode;
    CString m_accountNumber;
    CString m_accountAlias;
    CString m_accountShortName;
    CString m_currency;
    CString m_accountType;
    CString m_bic;
    CString m_bankName;
    CString m_branchName;
    CString m_dateText;
    CString m_narrativeBuffer;
    std::array<CString, 5> m_narratives;
    CString m_type;
    double m_debitAmount = 0;
    double m_creditAmount = 0;
    std::int32_t m_debitFlag = 0;
    double m_dateValue = 0;
};
