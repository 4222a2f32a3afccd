#include "cli/statement/statement_output.h"

#include <charconv>

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

}  // namespace

std::string FormatShortestAmount(double amount) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, amount);
    return std::string(text, result.ptr);
}

std::string FormatIsoDate(double date) {
    if (date == 0) return {};
    const auto parts = FromOleDate(date);
    if (!parts) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts->year, parts->month, parts->day);
    return text;
}

void AppendCsvField(std::string& out, std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += value;
        return;
    }
    out += '"';
    for (const char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view value) {
    out += '"';
    for (const char16_t unit : platform::AnsiToWide(value)) AppendJsonCharacter(out, unit);
    out += '"';
}

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
    line_ += std::to_string(row.number);
    line_ += ',';
    AppendCsvField(line_, row.sortCode);
    line_ += ',';
    AppendCsvField(line_, row.account);
    line_ += ',';
    line_ += FormatIsoDate(row.date);
    line_ += ',';
    line_ += DirectionName(row.direction);
    line_ += ',';
    line_ += FormatShortestAmount(row.amount);
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
