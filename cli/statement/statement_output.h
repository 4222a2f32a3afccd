#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace cli {

// One transaction as `varrow statement` prints it.
struct StatementRow {
    std::int32_t number = 0;
    std::string_view sortCode;   // the record's Sort Code as stored
    std::string_view account;    // the record's Account Number as stored
    double date = 0;             // OLE Automation date; 0 for none
    std::int32_t direction = 0;  // 0 debit, 1 credit
    double amount = 0;
    std::string_view type;       // what the host receives as the type
    std::string_view narrative;  // the narrative the host finally holds
};

// The shortest decimal text that reads back as the same double.
std::string FormatShortestAmount(double amount);
void AppendShortestAmount(std::string& out, double amount);
// YYYY-MM-DD, or empty for the date value 0 or one the platform cannot split.
std::string FormatIsoDate(double date);
void AppendIsoDate(std::string& out, double date);
// `value` as one CSV field: enclosed in double quotes, with inner quotes doubled, when it holds a
// comma, a quote, a CR or an LF.
void AppendCsvField(std::string& out, std::string_view value);
// `value` (single-byte text in the ANSI code page) as a JSON string in UTF-8.
void AppendJsonString(std::string& out, std::string_view value);

class OutputTarget;

// Writes rows as CSV (a header line first) or as a JSON array, one row at a time. Nothing is
// written until the first row or the end, so a file refused at once prints nothing.
class StatementRowWriter {
public:
    StatementRowWriter(OutputTarget& out, bool json);
    void Write(const StatementRow& row);
    // Completes the output; an empty statement gives the header line, or an empty array.
    void End();

private:
    void Begin();
    void WriteCsv(const StatementRow& row);
    void WriteJson(const StatementRow& row);
    // Room for a row of at most `size` characters, written straight into it and handed to the
    // output whole up to `end`.
    char* Room(std::size_t size);
    void Hand(const char* end);

    OutputTarget& out_;
    bool json_;
    bool begun_ = false;
    bool first_ = true;
    std::unique_ptr<char[]> row_;
    std::size_t room_ = 0;
};

}  // namespace cli
