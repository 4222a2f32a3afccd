#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "common/cstring.h"
#include "statements/field_splitting.h"
#include "statements/statement_limits.h"

class CKTXTransactionFile;
class StatementAccount;

// One data line of a statement, split into its fields, with the date and the amount converted.
// Text fields are kept as the file holds them, without enclosing quotes and cut to their kept
// lengths (see the reader).
//
// The record keeps a copy of its line and where the line's columns lie; each text field is made
// from its column the first time it is asked for, so a caller that looks at two fields of a line
// pays for two. Asking is the only way to see a field, and every field reads as if it had been
// stored when the line was read, so the record's answers do not depend on when they are asked.
// Like any object whose const accessors fill a cache, a record is for one thread at a time.
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

    // An empty record. Raises std::bad_alloc when its texts' room cannot be had.
    CTransactionRecord();
    CTransactionRecord(const CTransactionRecord& other);
    CTransactionRecord& operator=(const CTransactionRecord& other);
    ~CTransactionRecord() = default;

    // Every text empty, both amounts 0, the debit flag 0, the date value 0.
    void Reset() noexcept;

    const CString& SortCode() const noexcept { return Text(kSortCodeText); }
    const CString& AccountNumber() const noexcept { return Text(kAccountNumberText); }
    const CString& AccountAlias() const noexcept { return Text(kAccountAliasText); }
    const CString& AccountShortName() const noexcept { return Text(kAccountShortNameText); }
    const CString& Currency() const noexcept { return Text(kCurrencyText); }
    const CString& AccountType() const noexcept { return Text(kAccountTypeText); }
    const CString& Bic() const noexcept { return Text(kBicText); }
    const CString& BankName() const noexcept { return Text(kBankNameText); }
    const CString& BranchName() const noexcept { return Text(kBranchNameText); }
    const CString& DateText() const noexcept { return Text(kDateText); }
    const CString& NarrativeBuffer() const noexcept { return narrativeBuffer_; }
    // Narrative #1 to #5; any other line raises CAtlException(E_INVALIDARG).
    const CString& Narrative(int line) const;
    const CString& Type() const noexcept { return Text(kTypeText); }
    double DebitAmount() const noexcept { return debitAmount_; }
    double CreditAmount() const noexcept { return creditAmount_; }
    // 1 for a debit, 0 for a credit or a line with neither amount.
    std::int32_t DebitFlag() const noexcept { return debitFlag_; }
    // OLE Automation date; 0 when the Date column gives no date.
    double DateValue() const noexcept { return dateValue_; }

    // Narrative #1, then one space and each later narrative line that is not empty. Kept in the
    // narrative buffer as well.
    CString GetNarrative();
    // The same, left in the narrative buffer without a copy.
    const CString& JoinNarrative();

private:
    friend class CKTXTransactionFile;
    // Compares the account columns as the line gives them: every record is compared, few are taken.
    friend bool AccountMatches(const CTransactionRecord& record, const StatementAccount& account);
class StatementAccount;

    // The text fields, in the order of the long layout's columns 1 to 16.
    enum TextField : unsigned {
        kSortCodeText,
        kAccountNumberText,
        kAccountAliasText,
        kAccountShortNameText,
        kCurrencyText,
        kAccountTypeText,
        kBicText,
        kBankNameText,
        kBranchNameText,
        kDateText,
        kFirstNarrativeText,
        kLastNarrativeText = kFirstNarrativeText + 4,
        kTypeText,
        kTextFields
    };
    // The separators whose positions the texts' columns need: column 16 ends at the 16th.
    static constexpr std::size_t kSeparatorsKept = kTextFields;
    // Column c of the line runs from one past bounds_[c - 1] to bounds_[c]: the separators'
    // positions after one before the line's start (which wraps to its largest value).
    static constexpr std::uint32_t kBeforeTheLine = ~std::uint32_t{0};

    // For the reader: the line that the record's texts come from, `separators` the positions of
    // its first separators outside quotes (as many as its text columns need) and `typeColumn` the
    // column of its Type. No text is given yet.
    void KeepLine(std::string_view line, const std::uint32_t* separators, int typeColumn) noexcept;
    // For the reader: the texts whose bits `fields` holds (1 << TextField) are those the line gave.
    void GiveTexts(std::uint32_t fields) noexcept { given_ = fields; }
    // The most characters each text field keeps. The Date text is the whole column, which the
    // reader takes up to its longest column.
    static constexpr std::size_t kKept[kTextFields] = {6, 8, 35, 35, 3, 20, 34, 35, 27, kMaxStatementFieldLength,
                                                       50, 50, 50, 50, 50, 3};

    // A text field as the line gives it: its column without one pair of enclosing quotes, cut to
    // its kept length; empty when the line did not give it. Inline: the account of every record
    // is compared.
    std::string_view Source(TextField field) const noexcept {
        if ((given_ & (std::uint32_t{1} << field)) == 0) return {};
        const unsigned column = field == kTypeText ? typeColumn_ : field + 1;
        const std::uint32_t start = bounds_[column - 1] + 1;
        const std::string_view text = StripQuotes(std::string_view(line_.data() + start, bounds_[column] - start));
        return text.size() > kKept[field] ? std::string_view(text.data(), kKept[field]) : text;
    }
    const CString& Text(TextField field) const noexcept {
        if ((made_ & (std::uint32_t{1} << field)) == 0) Make(field);
        return texts_[field];
    }
    // Fills texts_[field] from its source. Never allocates: every text has room for its kept length.
    void Make(TextField field) const noexcept;

    std::array<char, kMaxStatementLineLength> line_;  // the first lineLength_ characters
    std::size_t lineLength_ = 0;
    std::array<std::uint32_t, kSeparatorsKept + 1> bounds_{kBeforeTheLine};
    unsigned typeColumn_ = 0;
    std::uint32_t given_ = 0;          // the text fields that the line gave
    mutable std::uint32_t made_ = 0;   // the text fields that texts_ holds
    mutable std::array<CString, kTextFields> texts_;
    CString narrativeBuffer_;
    double debitAmount_ = 0;
    double creditAmount_ = 0;
    std::int32_t debitFlag_ = 0;
    double dateValue_ = 0;
};
