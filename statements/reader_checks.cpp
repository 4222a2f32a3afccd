#include "statements/reader_checks.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

#include "common/ole_date.h"
#include "statements/amount.h"
#include "statements/field_splitting.h"
#include "statements/ktx_transaction_file.h"
#include "statements/line_scanner.h"
#include "statements/statement_import.h"

namespace {

using Problems = std::vector<std::string>;

std::string Quoted(std::string_view text) { return "\"" + std::string(text.substr(0, 80)) + "\""; }

void CheckSplitting(std::string_view line, Problems& problems) {
    for (const ByteSorting sorting : {ByteSorting::Widest, ByteSorting::Portable}) {
        const std::string way = sorting == ByteSorting::Widest ? " (widest sorting)" : " (portable sorting)";
        std::stringbuf source{std::string(line)};
        LineScanner fields(source, line.size(), line.size() + 1, sorting);
        fields.Next();
        bool quoted = false;
        if (fields.Count() != CountFields(line, ',', quoted)) problems.push_back("count differs on " + Quoted(line) + way);
        if (fields.HasNul() != (line.find('\0') != std::string_view::npos)) problems.push_back("NUL missed in " + Quoted(line) + way);
        for (int n = 0; n <= 22; ++n) {
            if (fields.Field(n) != GetField(line, ',', n)) {
                problems.push_back("field " + std::to_string(n) + " differs on " + Quoted(line) + way);
            }
        }
    }
}

void CheckLength(const CString& text, int kept, const char* name, Problems& problems) {
    if (text.GetLength() > kept) problems.push_back(std::string(name) + " longer than kept: " + Quoted(text.View()));
}

void CheckAmounts(const CTransactionRecord& r, Problems& problems) {
    const double debit = r.DebitAmount(), credit = r.CreditAmount();
    if (!std::isfinite(debit) || !std::isfinite(credit) || debit < 0 || credit < 0) {
        problems.push_back("amount not finite and non-negative");
    } else if (r.DebitFlag() == 1 ? !(debit > kAmountThreshold && credit == 0)
                                  : !(r.DebitFlag() == 0 && debit == 0 && (credit == 0 || credit > kAmountThreshold))) {
        problems.push_back("direction and amounts disagree");
    }
}

void CheckDate(const CTransactionRecord& r, Problems& problems) {
    const double date = r.DateValue();
    if (date == 0) return;
    const auto parts = FromOleDate(date);
    if (date != std::floor(date) || !parts || ToOleDate(*parts) != date) {
        problems.push_back("date value is no whole day: " + std::to_string(date) + " from " + Quoted(r.DateText().View()));
    }
}

void CheckRecord(const CTransactionRecord& r, Problems& problems) {
    static constexpr struct {
        const CString& (CTransactionRecord::*field)() const noexcept;
        int kept;
        const char* name;
    } kTexts[] = {{&CTransactionRecord::SortCode, 6, "sort code"},      {&CTransactionRecord::AccountNumber, 8, "account"},
                  {&CTransactionRecord::AccountAlias, 35, "alias"},     {&CTransactionRecord::AccountShortName, 35, "name"},
                  {&CTransactionRecord::Currency, 3, "currency"},       {&CTransactionRecord::AccountType, 20, "type"},
                  {&CTransactionRecord::Bic, 34, "BIC"},                {&CTransactionRecord::BankName, 35, "bank"},
                  {&CTransactionRecord::BranchName, 27, "branch"},      {&CTransactionRecord::Type, 3, "type code"},
                  {&CTransactionRecord::DateText, 511, "date text"}};
    for (const auto& text : kTexts) CheckLength((r.*text.field)(), text.kept, text.name, problems);
    for (int line = 1; line <= 5; ++line) CheckLength(r.Narrative(line), 50, "narrative", problems);
    CheckAmounts(r, problems);
    CheckDate(r, problems);
}

// Records the host methods called, to check their order and values.
class CheckingSink : public TransactionSink {
public:
    std::string methods;
    double amount = -1;
    std::int32_t direction = -1;
    CString type, narrative;
    void SetNumber(std::int32_t) override { methods += "3 "; }
    void SetDate(double) override { methods += "5 "; }
    void SetDirection(std::int32_t d) override { methods += "11 ", direction = d; }
    void SetAmount(double a) override { methods += "37 ", amount = a; }
    void SetNarrative(const CString& n) override { methods += "31 ", narrative = n; }
    void SetType(const CString& t) override { methods += "7 ", type = t; }
};

void CheckHandedValues(CTransactionRecord record, Problems& problems) {
    CheckingSink sink;
    HandTransaction(record, 1, sink);
    const bool cheque = record.Type() == "CHQ";
    const char* order = cheque ? "3 5 11 37 31 7 31 " : "3 5 11 37 31 7 ";
    if (sink.methods != order) problems.push_back("host methods in the order " + sink.methods);
    const bool debit = record.DebitFlag() == 1;
    if (sink.direction != (debit ? 0 : 1) || sink.amount != (debit ? record.DebitAmount() : record.CreditAmount())) {
        problems.push_back("direction or amount handed differs from the record");
    }
    if (sink.type != (cheque ? record.Narrative(1) : record.Type())) problems.push_back("type handed differs");
}

struct ReadResult {
    std::vector<CTransactionRecord> records;
    CTransactionRecord::ReadError lastError = CTransactionRecord::NoReadError;
    int headerFieldCount = 0;
};

// Every record up to the first failure, as the import reads them; then reads on to the end, as a
// caller asking again may, to check that the reader stays sound after a refused line.
ReadResult ReadAll(const std::string& content, Problems& problems) {
    ReadResult result;
    CKTXTransactionFile reader(std::make_unique<std::istringstream>(content, std::ios::in | std::ios::binary));
    result.headerFieldCount = reader.HeaderFieldCount();
    if (!reader.PrepareColumns()) return result;
    CTransactionRecord record;
    bool stopped = false;
    const std::size_t bound = content.size() + 3;  // each read consumes a line or meets the end
    for (std::size_t read = 0; read < bound && !reader.AtEndOfFile(); ++read) {
        if (reader.ReadRecord(record)) {
            CheckRecord(record, problems);
            CheckHandedValues(record, problems);
            if (!stopped) result.records.push_back(record);
        } else if (!stopped) {
            result.lastError = reader.LastError();
            stopped = true;
        }
        if (reader.LastError() == CTransactionRecord::LineTooLong) break;  // nothing more is read
    }
    if (!reader.AtEndOfFile() && reader.LastError() != CTransactionRecord::LineTooLong) {
        problems.push_back("reader did not reach the end of the file");
    }
    return result;
}

bool SameRecord(const CTransactionRecord& a, const CTransactionRecord& b) {
    CTransactionRecord x = a, y = b;
    bool same = x.GetNarrative() == y.GetNarrative();
    for (const auto field : {&CTransactionRecord::SortCode, &CTransactionRecord::AccountNumber,
                             &CTransactionRecord::AccountAlias, &CTransactionRecord::AccountShortName,
                             &CTransactionRecord::Currency, &CTransactionRecord::AccountType, &CTransactionRecord::Bic,
                             &CTransactionRecord::BankName, &CTransactionRecord::BranchName,
                             &CTransactionRecord::DateText, &CTransactionRecord::Type}) {
        same = same && (a.*field)() == (b.*field)();
    }
    return same && a.DebitAmount() == b.DebitAmount() && a.CreditAmount() == b.CreditAmount() &&
           a.DebitFlag() == b.DebitFlag() && a.DateValue() == b.DateValue();
}

std::string WithCrLf(std::string_view content) {
    std::string out;
    for (const char c : content) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void CheckCrLf(const std::string& content, const ReadResult& lf, Problems& problems) {
    const ReadResult crlf = ReadAll(WithCrLf(content), problems);
    const bool pushedOver = crlf.lastError == CTransactionRecord::LineTooLong ||
                            crlf.lastError == CTransactionRecord::FieldTooLong ||
                            (crlf.headerFieldCount == 0 && lf.headerFieldCount != 0);
    if (crlf.records.size() > lf.records.size() || (crlf.records.size() < lf.records.size() && !pushedOver)) {
        problems.push_back("CRLF gave " + std::to_string(crlf.records.size()) + " records, LF " +
                           std::to_string(lf.records.size()));
        return;
    }
    for (std::size_t i = 0; i < crlf.records.size(); ++i) {
        if (!SameRecord(crlf.records[i], lf.records[i])) problems.push_back("CRLF record " + std::to_string(i + 1) + " differs");
    }
}

}  // namespace

std::vector<std::string> CheckStatementRead(std::string_view content) {
    Problems problems;
    for (std::size_t start = 0; start <= content.size();) {
        const auto end = std::min(content.find('\n', start), content.size());
        CheckSplitting(content.substr(start, end - start), problems);
        start = end + 1;
    }
    const std::string text(content);
    const ReadResult lf = ReadAll(text, problems);
    CheckCrLf(text, lf, problems);
    return problems;
}
