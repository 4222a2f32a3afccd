#include "statements/reference/reference_reader.h"

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

namespace reference {
namespace {

using Error = CTransactionRecord::ReadError;

constexpr int kMinimumFields = 14;
constexpr int kLongLayoutFields = 18;
constexpr std::size_t kNarrativeKept = 50;

constexpr int kSortCodeColumn = 1;
constexpr std::size_t kSortCodeKept = 6;
constexpr int kDateColumn = 10;
constexpr int kFirstNarrativeColumn = 11;
constexpr int kLongTypeColumn = 16;
constexpr int kShortTypeColumn = 12;
constexpr std::size_t kTypeKept = 3;
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

ReferenceReader::ReferenceReader(const std::string& path, std::ios::openmode mode) {
    try {
        if (!IsAcceptedStatementPath(path)) return;
        auto file = std::make_unique<std::ifstream>(path, mode);
        if (!file->is_open()) return;
        stream_ = std::move(file);
        lines_ = std::make_unique<LineReader>(*stream_->rdbuf(), kMaxStatementLineLength);
        open_ = true;
        ReadHeader(path);
    } catch (...) {
        headerFieldCount_ = 0;
    }
}

ReferenceReader::ReferenceReader(std::unique_ptr<std::istream> stream) : stream_(std::move(stream)) {
    if (!stream_) return;
    lines_ = std::make_unique<LineReader>(*stream_->rdbuf(), kMaxStatementLineLength);
    open_ = true;
    ReadHeader({});
}

void ReferenceReader::ReadHeader(const std::string& path) {
    try {
        const std::string_view header = NextLine();
        bool quoted = false;
        headerFieldCount_ = CountFields(header, ',', quoted);
    } catch (...) {
        headerFieldCount_ = 0;
        Debug("Failed to Open the file: ");
        Debug(path);
        Debug("CKTXTransactionFile() failed to open: ");
        Debug(path);
    }
}

bool ReferenceReader::PrepareColumns() {
    if (headerFieldCount_ != kMinimumFields && headerFieldCount_ != kLongLayoutFields) return false;
    columnCount_ = headerFieldCount_;
    return true;
}

std::string_view ReferenceReader::NextLine() {
    std::string_view line;
    const LineReader::Status status = lines_->Next(line);
    atEnd_ = status == LineReader::Status::End;
    lastLineBlank_ = false;
    if (status == LineReader::Status::TooLong) {
        // Reading on from the middle of the line would make a record of its tail, and a record
        // of its head could lose its amount: neither is read, and nothing after it.
        if (!overLong_) ++lineNumber_;
        overLong_ = true;
        throw Error::LineTooLong;
    }
    if (atEnd_) return {};
    ++lineNumber_;
    // A NUL byte is no part of a text file; whatever follows it on the line cannot be trusted.
    if (std::memchr(line.data(), '\0', line.size())) throw Error::NulInLine;
    lastLineBlank_ = IsBlank(line);
    return line;
}

bool ReferenceReader::ReadRecord(ReferenceRecord& record) noexcept {
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

std::string ReferenceReader::LastReason() const {
    return NamesWhatTheLineHolds(lastError_) ? refusal_ : ReadErrorText(lastError_);
}

void ReferenceReader::ReadFields(ReferenceRecord& record) {
    if (!open_) {
        Debug("File Stream is NOT open");
        throw Error::StreamNotOpen;
    }
    record.Reset();
    fields_.Split(NextLine());
    if (fields_.Count() < kMinimumFields) throw Error::FieldCountTooLow;
    // No layout has more than 18 fields: under the long layout's header, more means that a
    // separator inside a value moved every later column.
    if (columnCount_ == kLongLayoutFields && fields_.Count() > kLongLayoutFields) {
        refusal_ = "it has " + std::to_string(fields_.Count()) + " fields under a header of 18";
        throw Error::TooManyFields;
    }

    ReadAccountColumns(record);
    const std::string_view date = StripQuotes(TakeField(kDateColumn));
    Store(record.dateText, date, date.size());
    record.dateValue = ParseDate(date);

    Store(record.narratives[0], StripQuotes(TakeField(kFirstNarrativeColumn)), kNarrativeKept);
    int typeColumn = kShortTypeColumn;
    if (fields_.Count() == kLongLayoutFields) {
        for (std::size_t line = 1; line < record.narratives.size(); ++line) {
            const int column = kFirstNarrativeColumn + static_cast<int>(line);
            Store(record.narratives[line], StripQuotes(TakeField(column)), kNarrativeKept);
        }
        typeColumn = kLongTypeColumn;
    }
    Store(record.type, StripQuotes(TakeField(typeColumn)), kTypeKept);
    ReadAmounts(record, typeColumn);
}

void ReferenceReader::ReadAccountColumns(ReferenceRecord& record) {
    // Columns 2 to 9: where each lands and how many characters are kept.
    static constexpr struct {
        int position;
        std::string ReferenceRecord::*field;
        std::size_t kept;
    } kColumns[] = {
        {2, &ReferenceRecord::accountNumber, 8}, {3, &ReferenceRecord::accountAlias, 35},
        {4, &ReferenceRecord::accountShortName, 35}, {5, &ReferenceRecord::currency, 3},
        {6, &ReferenceRecord::accountType, 20}, {7, &ReferenceRecord::bic, 34},
        {8, &ReferenceRecord::bankName, 35}, {9, &ReferenceRecord::branchName, 27},
    };
    // An empty sort code leaves the field as the reset left it.
    const std::string_view sortCode = StripQuotes(TakeField(kSortCodeColumn));
    if (!sortCode.empty()) Store(record.sortCode, sortCode, kSortCodeKept);
    for (const auto& column : kColumns) {
        Store(record.*column.field, StripQuotes(TakeField(column.position)), column.kept);
    }
}

void ReferenceReader::ReadAmounts(ReferenceRecord& record, int typeColumn) {
    // A debit wins: the credit column is not even read when the debit column holds an amount. Both
    // must hold an amount or nothing, though: text there means the columns moved, and reading on
    // would turn a payment into a receipt.
    const double debit = TakeAmount(typeColumn + 1, kDebitTitle);
    if (debit > kAmountThreshold) {
        RequireAmount(typeColumn + 2, kCreditTitle);
        record.debitAmount = debit;
        record.debitFlag = 1;
        return;
    }
    const double credit = TakeAmount(typeColumn + 2, kCreditTitle);
    if (credit > kAmountThreshold) record.creditAmount = credit;
}

std::string_view ReferenceReader::TakeField(int position) const {
    // Columns are looked up in the column list, which holds 1 to the header's count.
    if (position < 1 || position > columnCount_) throw Error::ColumnOutOfRange;
    const auto field = fields_.Field(position);
    if (!field) throw Error::FieldMissing;
    if (field->size() > kMaxStatementFieldLength) throw Error::FieldTooLong;
    return *field;
}

double ReferenceReader::TakeAmount(int position, const char* name) {
    const std::string_view field = TakeField(position);
    const std::optional<double> amount = ParseWholeAmount(field);
    if (!amount) RefuseAmount(name, field);
    if (!std::isfinite(*amount)) throw Error::AmountOutOfRange;
    return *amount;
}

void ReferenceReader::RequireAmount(int position, const char* name) {
    // Only its form counts, so its length is no reason to refuse it.
    const auto field = fields_.Field(position);
    if (field && !IsWholeAmount(*field)) RefuseAmount(name, *field);
}

void ReferenceReader::RefuseAmount(const char* name, std::string_view field) {
    refusal_ = std::string("the ") + name + " column holds " + ShownColumn(field) + ", not an amount";
    throw Error::NotAnAmount;
}

void ReferenceReader::Store(std::string& target, std::string_view field, std::size_t kept) {
    target.assign(field.substr(0, kept));
}

bool ReferenceReader::OnlyBlankLinesFollow() {
    if (!open_) return true;
    try {
        for (;;) {
            NextLine();
            if (atEnd_) return true;
            if (!lastLineBlank_) return false;
        }
    } catch (...) {
        return false;
    }
}

}  // namespace reference
