#pragma once
#include <ios>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "statements/line_scanner.h"
#include "statements/statement_date.h"
#include "statements/statement_limits.h"
#include "statements/transaction_record.h"

// Whether the reader would try to open `path`: not empty, at most 259 characters, no NUL byte.
bool IsAcceptedStatementPath(std::string_view path);

// Reads a statement file one line at a time: the header line when constructed, then one record
// per data line. It holds one block of the file and one record, whatever the file's size, and no
// state shared with other readers, so readers may run side by side. Each line is walked once; the
// record keeps a copy of it and makes each text column into its field when that is asked for.
class CKTXTransactionFile {
public:
    // Opens `path` with `mode` (the import reads in binary mode, the recogniser in text mode) and
    // reads the header line. Never fails outward: a file that cannot be opened, a path the reader
    // does not accept, or a header that cannot be read leaves the header count at 0.
    CKTXTransactionFile(const std::string& path, std::ios::openmode mode);
    // Reads from a stream that is already open (tests, and the fuzzer, read from memory).
    explicit CKTXTransactionFile(std::unique_ptr<std::istream> stream);

    CKTXTransactionFile(const CKTXTransactionFile&) = delete;
    CKTXTransactionFile& operator=(const CKTXTransactionFile&) = delete;

    bool IsOpen() const noexcept { return open_; }
    // CountFields of the header line; 0 until a header has been read.
    int HeaderFieldCount() const noexcept { return headerFieldCount_; }

    // True, ready to read, when the header has 14 or 18 fields; the columns 1 to that count exist.
    bool PrepareColumns();

    // Reads the next line into `record`; false when it cannot be read (the record keeps what was
    // filled before the failure). Each call consumes one line. Never throws.
    bool ReadRecord(CTransactionRecord& record) noexcept;

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
    bool LastLineWasBlank() const noexcept;
    // Consumes the rest of the file and tells whether it held only blank lines.
    bool OnlyBlankLinesFollow();

private:
    void ReadHeader(const std::string& path);
    // Reads the next line, its fields in lines_; an empty line at the end of the file. Raises
    // LineTooLong or NulInLine.
    void NextLine();
    void ReadFields(CTransactionRecord& record);
    // Gives the record the text columns of its layout, and the date value; raises the refusal of
    // the first that cannot be taken, the record keeping those before it.
    void ReadTexts(CTransactionRecord& record, bool longLayout, int typeColumn);
    void ReadAmounts(CTransactionRecord& record, int typeColumn);
    // Why column `position` of the line cannot be taken; nothing when it can.
    std::optional<CTransactionRecord::ReadError> FieldRefusal(int position) const;
    std::string_view TakeField(int position) const;
    // `name` is the column's title in the refusal.
    double TakeAmount(int position, const char* name);
    // A column spared from being read must still hold an amount or nothing.
    void RequireAmount(int position, const char* name);
    [[noreturn]] void RefuseAmount(const char* name, std::string_view field);

    std::unique_ptr<std::istream> stream_;
    std::optional<LineScanner> lines_;  // over stream_'s buffer while it is open
    bool open_ = false;
    int headerFieldCount_ = 0;
    // The column list: columns 1 to this count exist once PrepareColumns succeeded.
    int columnCount_ = 0;
    long lineNumber_ = 0;
    bool atEnd_ = false;
    bool overLong_ = false;
    bool lineRead_ = false;  // the last line consumed was read whole, without a NUL byte
    CTransactionRecord::ReadError lastError_ = CTransactionRecord::NoReadError;
    // What the last refused line holds, in words, when that was the reason it was refused.
    std::string refusal_;
    PlainDates plainDates_;
};
