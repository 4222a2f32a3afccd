#include "statements/ktx_transaction_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <new>
#include <optional>
#include <string>

#include "common/errors.h"
#include "common/shown_text.h"
#include "platform/debug_output.h"
#include "statements/amount.h"
#include "statements/field_splitting.h"
#include "statements/read_error_text.h"
#include "statements/statement_date.h"

namespace {

using Error = CTransactionRecord::ReadError;

constexpr int kMinimumFields = 14;
constexpr int kLongLayoutFields = 18;

constexpr int kDateColumn = 10;
constexpr int kLongTypeColumn = 16;
constexpr int kShortTypeColumn = 12;
constexpr const char* kDebitTitle = "Debit";
constexpr const char* kCreditTitle = "Credit";

// The debugger channel must never turn a refused line into a failure of its own.
void Debug(std::string_view text) noexcept {
    try {
        platform::OutputDebugText(text);
    } catch (...) {
    }
}

// The refusals whose words say what the line holds (the reader keeps them beside the error).
bool NamesWhatTheLineHolds(CTransactionRecord::ReadError error) {
    return error == Error::NotAnAmount || error == Error::TooManyFields;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// A column's text inside a one-line message, without its enclosing quotes and the CR that a CRLF
// line leaves.
std::string ShownColumn(std::string_view field) {
    std::string_view text = StripQuotes(field);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    return Shown(text);
}

}  // namespace

bool IsAcceptedStatementPath(std::string_view path) {
    return !path.empty() && path.size() <= kMaxStatementPathLength && path.find('\0') == std::string_view::npos;
}

CKTXTransactionFile::CKTXTransactionFile(const std::string& path, std::ios::openmode mode) {
    try {
        if (!IsAcceptedStatementPath(path)) return;
        auto file = std::make_unique<std::ifstream>(path, mode);
        if (!file->is_open()) return;
        stream_ = std::move(file);
        lines_.emplace(*stream_->rdbuf(), kMaxStatementLineLength);
        open_ = true;
        ReadHeader(path);
    } catch (...) {
        headerFieldCount_ = 0;
    }
}

CKTXTransactionFile::CKTXTransactionFile(std::unique_ptr<std::istream> stream) : stream_(std::move(stream)) {
    if (!stream_) return;
    lines_.emplace(*stream_->rdbuf(), kMaxStatementLineLength);
    open_ = true;
    ReadHeader({});
}

void CKTXTransactionFile::ReadHeader(const std::string& path) {
    try {
        NextLine();
        headerFieldCount_ = lines_->Count();
    } catch (...) {
        headerFieldCount_ = 0;
        Debug("Failed to Open the file: ");
        Debug(path);
        Debug("CKTXTransactionFile() failed to open: ");
        Debug(path);
    }
}

bool CKTXTransactionFile::PrepareColumns() {
    if (headerFieldCount_ != kMinimumFields && headerFieldCount_ != kLongLayoutFields) return false;
    columnCount_ = headerFieldCount_;
    return true;
}

void CKTXTransactionFile::NextLine() {
    const LineScanner::Status status = lines_->Next();
    atEnd_ = status == LineScanner::Status::End;
    lineRead_ = false;
    if (status == LineScanner::Status::TooLong) {
        // Reading on from the middle of the line would make a record of its tail, and a record
        // of its head could lose its amount: neither is read, and nothing after it.
        if (!overLong_) ++lineNumber_;
        overLong_ = true;
        throw Error::LineTooLong;
    }
    if (atEnd_) return;
    ++lineNumber_;
    // A NUL byte is no part of a text file; whatever follows it on the line cannot be trusted.
    if (lines_->HasNul()) throw Error::NulInLine;
    lineRead_ = true;
}

bool CKTXTransactionFile::LastLineWasBlank() const noexcept { return lineRead_ && IsBlank(lines_->Line()); }

std::optional<CTransactionRecord::ReadError> CKTXTransactionFile::FieldRefusal(int position) const {
    try {
        TakeField(position);
        return std::nullopt;
    } catch (const Error error) {
        return error;
    }
}

inline std::string_view CKTXTransactionFile::TakeField(int position) const {
    // Columns are looked up in the column list, which holds 1 to the header's count.
    if (position < 1 || position > columnCount_) throw Error::ColumnOutOfRange;
    const auto field = lines_->Field(position);
    if (!field) throw Error::FieldMissing;
    if (field->size() > kMaxStatementFieldLength) throw Error::FieldTooLong;
    return *field;
}

bool CKTXTransactionFile::ReadRecord(CTransactionRecord& record) noexcept {
    try {
        ReadFields(record);
        lastError_ = Error::NoReadError;
        return true;
    } catch (const Error error) {
        lastError_ = error;
    } catch (const CAtlException&) {
        lastError_ = Error::OutOfMemory;
    } catch (const std::bad_alloc&) {
        lastError_ = Error::OutOfMemory;
    } catch (...) {
        lastError_ = Error::FieldMissing;
    }
    Debug("Failed to read the Balance record\n");
    if (NamesWhatTheLineHolds(lastError_)) {
        try {
            Debug("line " + std::to_string(lineNumber_) + ": " + refusal_ + "\n");
        } catch (...) {
        }
    }
    return false;
}

std::string CKTXTransactionFile::LastReason() const {
    return NamesWhatTheLineHolds(lastError_) ? refusal_ : ReadErrorText(lastError_);
}

void CKTXTransactionFile::ReadFields(CTransactionRecord& record) {
    if (!open_) {
        Debug("File Stream is NOT open");
        throw Error::StreamNotOpen;
    }
    record.Reset();
    NextLine();
    const int fieldCount = lines_->Count();
    if (fieldCount < kMinimumFields) throw Error::FieldCountTooLow;
    // No layout has more than 18 fields: under the long layout's header, more means that a
    // separator inside a value moved every later column.
    if (columnCount_ == kLongLayoutFields && fieldCount > kLongLayoutFields) {
        refusal_ = "it has " + std::to_string(fieldCount) + " fields under a header of 18";
        throw Error::TooManyFields;
    }
    const bool longLayout = fieldCount == kLongLayoutFields;
    const int typeColumn = longLayout ? kLongTypeColumn : kShortTypeColumn;
    record.KeepLine(lines_->Line(), lines_->Separators(), typeColumn);
    ReadTexts(record, longLayout, typeColumn);
    ReadAmounts(record, typeColumn);
}

void CKTXTransactionFile::ReadTexts(CTransactionRecord& record, bool longLayout, int typeColumn) {
    using Record = CTransactionRecord;
    const auto bit = [](unsigned field) { return std::uint32_t{1} << field; };
    // The text fields lie in the long layout's columns 1 to 16, in their order; the short layout
    // gives no Narrative #2 to #5, and its Type lies in column 12.
    const std::uint32_t every = bit(Record::kTextFields) - 1;
    const std::uint32_t layoutTexts =
        longLayout ? every : every & ~(bit(Record::kLastNarrativeText + 1) - bit(Record::kFirstNarrativeText + 1));
    // Each is taken in turn, and the first column that cannot be taken leaves the rest untaken.
    // Only a line longer than a column may be, or a long line under a short header, has one.
    std::uint32_t given = layoutTexts;
    std::optional<Error> refusal;
    if (lines_->Line().size() > kMaxStatementFieldLength || typeColumn > columnCount_) {
        given = 0;
        for (unsigned field = 0; field < Record::kTextFields && !refusal; ++field) {
            if ((layoutTexts & bit(field)) == 0) continue;
            refusal = FieldRefusal(field == Record::kTypeText ? typeColumn : static_cast<int>(field) + 1);
            if (!refusal) given |= bit(field);
        }
    }
    record.GiveTexts(given);
    if (given & bit(Record::kDateText)) {
        const std::string_view date = StripQuotes(*lines_->Field(kDateColumn));
        const std::optional<double> plainDate = plainDates_.Parse(date);
        record.dateValue_ = plainDate ? *plainDate : ParseDate(date);
    }
    if (refusal) throw *refusal;
}

void CKTXTransactionFile::ReadAmounts(CTransactionRecord& record, int typeColumn) {
    // A debit wins: the credit column is not even read when the debit column holds an amount. Both
    // must hold an amount or nothing, though: text there means the columns moved, and reading on
    // would turn a payment into a receipt.
    const double debit = TakeAmount(typeColumn + 1, kDebitTitle);
    if (debit > kAmountThreshold) {
        RequireAmount(typeColumn + 2, kCreditTitle);
        record.debitAmount_ = debit;
        record.debitFlag_ = 1;
        return;
    }
    const double credit = TakeAmount(typeColumn + 2, kCreditTitle);
    if (credit > kAmountThreshold) record.creditAmount_ = credit;
}

double CKTXTransactionFile::TakeAmount(int position, const char* name) {
    const std::string_view field = TakeField(position);
    if (field.empty()) return 0;
    if (const std::optional<double> plain = ParsePlainAmount(field)) return *plain;
    const std::optional<double> amount = ParseWholeAmount(field);
    if (!amount) RefuseAmount(name, field);
    if (!std::isfinite(*amount)) throw Error::AmountOutOfRange;
    return *amount;
}

void CKTXTransactionFile::RequireAmount(int position, const char* name) {
    // Only its form counts, so its length is no reason to refuse it.
    const auto field = lines_->Field(position);
    if (field && !field->empty() && !ParsePlainAmount(*field) && !IsWholeAmount(*field)) RefuseAmount(name, *field);
}

void CKTXTransactionFile::RefuseAmount(const char* name, std::string_view field) {
    refusal_ = std::string("the ") + name + " column holds " + ShownColumn(field) + ", not an amount";
    throw Error::NotAnAmount;
}


bool CKTXTransactionFile::OnlyBlankLinesFollow() {
    if (!open_) return true;
    try {
        for (;;) {
            NextLine();
            if (atEnd_) return true;
            if (!LastLineWasBlank()) return false;
        }
    } catch (...) {
        return false;
    }
}
