#include "cli/statement/statement_output.h"

#include <algorithm>
#include <charconv>

#include "cli/statement/output_target.h"
#include "common/ole_date.h"
#include "platform/code_page.h"

namespace cli {

namespace {

const char* DirectionName(std::int32_t direction) { return direction == 0 ? "debit" : "credit"; }

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendJsonCharacter(std::string& out, char16_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (unit) {
    case u'"': out += "\\\""; return;
    case u'\\': out += "\\\\"; return;
    case u'\n': out += "\\n"; return;
    case u'\r': out += "\\r"; return;
    case u'\t': out += "\\t"; return;
    default: break;
    }
    if (unit < 0x20) {
        out += "\\u00";
        out += kHex[unit >> 4];
        out += kHex[unit & 0xF];
        return;
    }
    // Windows-1252 yields no surrogates: every unit is a character of its own.
    AppendUtf8(out, unit);
}

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

void AppendJsonString(std::string& out, std::string_view value) {
    out += '"';
    // Most text is printable ASCII, the same in UTF-8; the rest goes through the code page whole.
    const bool plain = std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
        out += value;
    } else {
        for (const char16_t unit : platform::AnsiToWide(value)) AppendJsonCharacter(out, unit);
    }
    out += '"';
}

StatementRowWriter::StatementRowWriter(OutputTarget& out, bool json) : out_(out), json_(json) {}

void StatementRowWriter::Begin() {
    if (begun_) return;
    begun_ = true;
    out_.Write(json_ ? "[" : "number,sort_code,account,date,direction,amount,type,narrative\n");
}

void StatementRowWriter::Write(const StatementRow& row) {
    Begin();
    line_.clear();
    if (json_) {
        AppendJson(row);
    } else {
        AppendCsv(row);
    }
    out_.Write(line_);
    first_ = false;
}

void StatementRowWriter::End() {
    Begin();
    if (json_) out_.Write(first_ ? "]\n" : "\n]\n");
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
    line_ += "{\"number\":";
    AppendDecimal(line_, row.number);
    line_ += ",\"sort_code\":";
    AppendJsonString(line_, row.sortCode);
    line_ += ",\"account\":";
    AppendJsonString(line_, row.account);
    line_ += ",\"date\":\"";
    const std::size_t dateStart = line_.size();
    AppendIsoDate(line_, row.date);
    if (line_.size() == dateStart) {  // no date: null in place of the opening quote
        line_.replace(dateStart - 1, 1, "null");
    } else {
        line_ += '"';
    }
    line_ += ",\"direction\":\"";
    line_ += DirectionName(row.direction);
    line_ += "\",\"amount\":";
    AppendShortestAmount(line_, row.amount);
    line_ += ",\"type\":";
    AppendJsonString(line_, row.type);
    line_ += ",\"narrative\":";
    AppendJsonString(line_, row.narrative);
    line_ += '}';
}

}  // namespace cli
