#include "cli/statement/statement_output.h"

#include <algorithm>
#include <charconv>

#include "cli/shared/json_text.h"
#include "common/ole_date.h"
#include "platform/code_page.h"

namespace cli {

namespace {

const char* DirectionName(std::int32_t direction) { return direction == 0 ? "debit" : "credit"; }

// In decimal, with leading zeros up to `width` digits as "%0*d" writes a number that is not negative.
void AppendDecimal(std::string& out, int value, int width = 1) {
    char digits[16];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = end - digits; length < width; ++length) out += '0';
    out.append(digits, static_cast<std::size_t>(end - digits));
}

bool NeedsCsvQuotes(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

}  // namespace

void AppendShortestAmount(std::string& out, double amount) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, amount);
    out.append(text, result.ptr);
}

std::string FormatShortestAmount(double amount) {
    std::string text;
    AppendShortestAmount(text, amount);
    return text;
}

void AppendIsoDate(std::string& out, double date) {
    if (date == 0) return;
    const auto parts = FromOleDate(date);
    if (!parts) return;
    AppendDecimal(out, parts->year, 4);
    out += '-';
    AppendDecimal(out, parts->month, 2);
    out += '-';
    AppendDecimal(out, parts->day, 2);
}

std::string FormatIsoDate(double date) {
    std::string text;
    AppendIsoDate(text, date);
    return text;
}

void AppendCsvField(std::string& out, std::string_view value) {
    if (std::none_of(value.begin(), value.end(), NeedsCsvQuotes)) {
        out += value;
        return;
    }
    out += '"';
    for (std::size_t start = 0;;) {
        const std::size_t quote = value.find('"', start);
        out += value.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start);
        if (quote == std::string_view::npos) break;
        out += '"';  // doubled
        start = quote + 1;
    }
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view value) { AppendJsonUtf16(out, platform::AnsiToWide(value)); }

StatementRowWriter::StatementRowWriter(std::FILE* out, bool json) : out_(out), json_(json) {}

void StatementRowWriter::Begin() {
    if (begun_) return;
    begun_ = true;
    std::fputs(json_ ? "[" : "number,sort_code,account,date,direction,amount,type,narrative\n", out_);
}

void StatementRowWriter::Write(const StatementRow& row) {
    Begin();
    line_.clear();
    if (json_) {
        AppendJson(row);
    } else {
        AppendCsv(row);
    }
    std::fwrite(line_.data(), 1, line_.size(), out_);
    first_ = false;
}

void StatementRowWriter::End() {
    Begin();
    std::fputs(json_ ? (first_ ? "]\n" : "\n]\n") : "", out_);
}

void StatementRowWriter::AppendCsv(const StatementRow& row) {
    AppendDecimal(line_, row.number);
    line_ += ',';
    AppendCsvField(line_, row.sortCode);
    line_ += ',';
    AppendCsvField(line_, row.account);
    line_ += ',';
    AppendIsoDate(line_, row.date);
    line_ += ',';
    line_ += DirectionName(row.direction);
    line_ += ',';
    AppendShortestAmount(line_, row.amount);
    line_ += ',';
    AppendCsvField(line_, row.type);
    line_ += ',';
    AppendCsvField(line_, row.narrative);
    line_ += '\n';
}

void StatementRowWriter::AppendJson(const StatementRow& row) {
    line_ += first_ ? "\n" : ",\n";
    line_ += "{\"number\":" + std::to_string(row.number) + ",\"sort_code\":";
    AppendJsonString(line_, row.sortCode);
    line_ += ",\"account\":";
    AppendJsonString(line_, row.account);
    const std::string date = FormatIsoDate(row.date);
    line_ += ",\"date\":";
    line_ += date.empty() ? "null" : "\"" + date + "\"";
    line_ += ",\"direction\":\"";
    line_ += DirectionName(row.direction);
    line_ += "\",\"amount\":" + FormatShortestAmount(row.amount) + ",\"type\":";
    AppendJsonString(line_, row.type);
    line_ += ",\"narrative\":";
    AppendJsonString(line_, row.narrative);
    line_ += '}';
}

}  // namespace cli
