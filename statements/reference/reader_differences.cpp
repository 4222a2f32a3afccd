#include "statements/reference/reader_differences.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>

#include "platform/debug_output.h"
#include "platform/hook.h"
#include "statements/ktx_transaction_file.h"
#include "statements/reference/reference_reader.h"

namespace {

using reference::ReferenceReader;
using reference::ReferenceRecord;

// What the debugger channel was given while it lived, piece by piece.
class DebugPieces {
public:
    DebugPieces() : hook_(platform::DebugOutputHook(), [this](std::string_view text) { said_ += "[" + std::string(text) + "]"; }) {}
    std::string Take() { return std::exchange(said_, {}); }

private:
    std::string said_;
    platform::ScopedHook<void(std::string_view)> hook_;
};

std::string Exactly(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// Every field of a record in one line, in the record's order.
std::string Fields(const std::vector<std::string_view>& texts, double debit, double credit, int flag, double date) {
    std::string line;
    for (const auto text : texts) line += "'" + std::string(text) + "' ";
    return line + Exactly(debit) + " " + Exactly(credit) + " " + std::to_string(flag) + " " + Exactly(date);
}

std::string Fields(const CTransactionRecord& r) {
    return Fields({r.SortCode().View(), r.AccountNumber().View(), r.AccountAlias().View(), r.AccountShortName().View(),
                   r.Currency().View(), r.AccountType().View(), r.Bic().View(), r.BankName().View(),
                   r.BranchName().View(), r.DateText().View(), r.NarrativeBuffer().View(), r.Narrative(1).View(),
                   r.Narrative(2).View(), r.Narrative(3).View(), r.Narrative(4).View(), r.Narrative(5).View(),
                   r.Type().View()},
                  r.DebitAmount(), r.CreditAmount(), r.DebitFlag(), r.DateValue());
}

std::string Fields(const ReferenceRecord& r) {
    return Fields({r.sortCode, r.accountNumber, r.accountAlias, r.accountShortName, r.currency, r.accountType, r.bic,
                   r.bankName, r.branchName, r.dateText, "", r.narratives[0], r.narratives[1], r.narratives[2],
                   r.narratives[3], r.narratives[4], r.type},
                  r.debitAmount, r.creditAmount, r.debitFlag, r.dateValue);
}

// What one reader shows after a call, in one line.
template <class Reader>
std::string State(const Reader& reader) {
    return "error " + std::to_string(reader.LastError()) + " (" + reader.LastReason() + "), line " +
           std::to_string(reader.LineNumber()) + (reader.AtEndOfFile() ? ", at the end" : "") +
           (reader.LastLineWasBlank() ? ", blank" : "");
}

std::unique_ptr<std::istream> Stream(std::string_view content) {
    return std::make_unique<std::istringstream>(std::string(content), std::ios::in | std::ios::binary);
}

class Comparison {
public:
    explicit Comparison(std::vector<std::string>& differences) : differences_(differences) {}

    // `what` happened to both: the same answers, or a line naming the first that differs.
    template <class T>
    bool Same(const std::string& what, const T& reader, const T& reference) {
        if (reader == reference) return true;
        differences_.push_back(what + ": the reader gives " + Shown(reader) + ", the reference " + Shown(reference));
        return false;
    }

private:
    static std::string Shown(const std::string& text) { return "{" + text + "}"; }
    static std::string Shown(long value) { return std::to_string(value); }
    std::vector<std::string>& differences_;
};

// Every line to the end, failures included, as a caller asking again after a failure reads them.
void CompareEveryLine(std::string_view content, Comparison& compare) {
    DebugPieces debug;
    CKTXTransactionFile reader(Stream(content));
    const std::string openedSaid = debug.Take();
    ReferenceReader reference(Stream(content));
    compare.Same("opening's debug output", openedSaid, debug.Take());
    compare.Same("header fields", long{reader.HeaderFieldCount()}, long{reference.HeaderFieldCount()});
    compare.Same("columns prepared", long{reader.PrepareColumns()}, long{reference.PrepareColumns()});
    CTransactionRecord record;
    ReferenceRecord referenceRecord;
    const std::size_t bound = content.size() + 3;  // each read consumes a line or meets the end
    for (std::size_t read = 1; read <= bound; ++read) {
        const std::string at = "read " + std::to_string(read);
        const bool got = reader.ReadRecord(record);
        const std::string said = debug.Take();
        const bool referenceGot = reference.ReadRecord(referenceRecord);
        const bool same = compare.Same(at + " result", long{got}, long{referenceGot}) &&
                          compare.Same(at + " record", Fields(record), Fields(referenceRecord)) &&
                          compare.Same(at + " state", State(reader), State(reference)) &&
                          compare.Same(at + " debug output", said, debug.Take());
        if (!same || reader.AtEndOfFile() || reader.LastError() == CTransactionRecord::LineTooLong) return;
    }
}

// Up to the first failure, then whether only blank lines follow it, as the import asks.
void CompareTheStop(std::string_view content, Comparison& compare) {
    const DebugPieces quiet;
    CKTXTransactionFile reader(Stream(content));
    ReferenceReader reference(Stream(content));
    if (!reader.PrepareColumns() || !reference.PrepareColumns()) return;
    CTransactionRecord record;
    ReferenceRecord referenceRecord;
    while (reader.ReadRecord(record)) {
    }
    while (reference.ReadRecord(referenceRecord)) {
    }
    compare.Same("line of the first failure", reader.LineNumber(), reference.LineNumber());
    compare.Same("only blank lines after it", long{reader.OnlyBlankLinesFollow()},
                 long{reference.OnlyBlankLinesFollow()});
}

}  // namespace

std::vector<std::string> ReaderDifferences(std::string_view content) {
    std::vector<std::string> differences;
    Comparison compare(differences);
    CompareEveryLine(content, compare);
    CompareTheStop(content, compare);
    return differences;
}
