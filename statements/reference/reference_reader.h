#pragma once
#include <ios>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include <array>

#include "statements/ktx_transaction_file.h"
#include "statements/reference/line_fields.h"
#include "statements/reference/line_reader.h"

// The statement reader as it stood before it was made to read each line in one pass: kept, in the
// tests only, as the reference whose answers the reader must give for every input, quirks and
// debug messages included (reader_differences.h compares the two).
namespace reference {

// What the reader fills for a line, in plain strings.
struct ReferenceRecord {
    std::string sortCode, accountNumber, accountAlias, accountShortName, currency, accountType, bic, bankName,
        branchName, dateText;
    std::array<std::string, 5> narratives;
    std::string type;
    double debitAmount = 0;
    double creditAmount = 0;
    std::int32_t debitFlag = 0;
    double dateValue = 0;

    void Reset() { *this = ReferenceRecord(); }
};

class ReferenceReader {
public:
    // Opens `path` with `mode` (the import reads in binary mode, the recogniser in text mode) and
    // reads the header line. Never fails outward: a file that cannot be opened, a path the reader
    // does not accept, or a header that cannot be read leaves the header count at 0.
    ReferenceReader(const std::string& path, std::ios::openmode mode);
    // Reads from a stream that is already open (tests, and the fuzzer, read from memory).
    explicit ReferenceReader(std::unique_ptr<std::istream> stream);

    ReferenceReader(const ReferenceReader&) = delete;
    ReferenceReader& operator=(const ReferenceReader&) = delete;

    bool IsOpen() const noexcept { return open_; }
    // CountFields of the header line; 0 until a header has been read.
    int HeaderFieldCount() const noexcept { return headerFieldCount_; }

    // True, ready to read, when the header has 14 or 18 fields; the columns 1 to that count exist.
    bool PrepareColumns();

    // Reads the next line into `record`; false when it cannot be read (the record keeps what was
    // filled before the failure). Each call consumes one line. Never throws.
    bool ReadRecord(ReferenceRecord& record) noexcept;

    // Why the last ReadRecord failed; NoReadError after a success.
    CTransactionRecord::ReadError LastError() const noexcept { return lastError_; }
    // The same in words, naming what the line holds where that is the reason: "the Debit column
    // holds 'BAC', not an amount".
    std::string LastReason() const;
    // The number of the last line consumed, the header being line 1.
    long LineNumber() const noexcept { return lineNumber_; }
    // Whether the last ReadRecord found no line left at all.
    bool AtEndOfFile() const noexcept { return atEnd_; }
    // Whether the last line consumed held nothing but spaces, tabs and CRs.
    bool LastLineWasBlank() const noexcept { return lastLineBlank_; }
    // Consumes the rest of the file and tells whether it held only blank lines.
    bool OnlyBlankLinesFollow();

private:
    void ReadHeader(const std::string& path);
    // The next line, without its LF; empty at the end of the file. Raises LineTooLong or NulInLine.
    std::string_view NextLine();
    void ReadFields(ReferenceRecord& record);
    void ReadAccountColumns(ReferenceRecord& record);
    void ReadAmounts(ReferenceRecord& record, int typeColumn);
    std::string_view TakeField(int position) const;
    // `name` is the column's title in the refusal.
    double TakeAmount(int position, const char* name);
    // A column spared from being read must still hold an amount or nothing.
    void RequireAmount(int position, const char* name);
    [[noreturn]] void RefuseAmount(const char* name, std::string_view field);
    static void Store(std::string& target, std::string_view field, std::size_t kept);

    std::unique_ptr<std::istream> stream_;
    std::unique_ptr<LineReader> lines_;  // over stream_'s buffer while it is open
    bool open_ = false;
    int headerFieldCount_ = 0;
    // The column list: columns 1 to this count exist once PrepareColumns succeeded.
    int columnCount_ = 0;
    long lineNumber_ = 0;
    bool atEnd_ = false;
    bool overLong_ = false;
    bool lastLineBlank_ = false;
    CTransactionRecord::ReadError lastError_ = CTransactionRecord::NoReadError;
    // What the last refused line holds, in words, when that was the reason it was refused.
    std::string refusal_;
    LineFields fields_;
};

}  // namespace reference
