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

StatementRowWriter::StatementRowWriter(std::FILE* out, bool json) : m_out(out), m_json(json) {}

void StatementRowWriter::Begin() {
    if (m_begun) return;
    m_begun = true;
    std::fputs(m_json ? "[" : "number,sort_code,account,date,direction,amount,type,narrative\n", m_out);
}

void StatementRowWriter::Write(const StatementRow& row) {
    Begin();
    m_line.clear();
    if (m_json) {
        AppendJson(row);
    } else {
        AppendCsv(row);
    }
    std::fwrite(m_line.data(), 1, m_line.size(), m_out);
    m_first = false;
}

void StatementRowWriter::End() {
    Begin();
    std::fputs(m_json ? (m_first ? "]\n" : "\n]\n") : "", m_out);
}

void StatementRowWriter::AppendCsv(const StatementRow& row) {
    m_line += std::to_string(row.number);
    m_line += ',';
    AppendCsvField(m_line, row.sortCode);
    m_line += ',';
    AppendCsvField(m_line, row.account);
    m_line += ',';
    m_line += FormatIsoDate(row.date);
    m_line += ',';
    m_line += DirectionName(row.direction);
    m_line += ',';
    m_line += FormatShortestAmount(row.amount);
    m_line += ',';
    AppendCsvField(m_line, row.type);
    m_line += ',';
    AppendCsvField(m_line, row.narrative);
    m_line += '\n';
}

void StatementRowWriter::AppendJson(const StatementRow& row) {
    m_line += m_first ? "\n" : ",\n";
    m_line += "{\"number\":" + std::to_string(row.number) + ",\"sort_code\":";
    AppendJsonString(m_line, row.sortCode);
    m_line += ",\"account\":";
    AppendJsonString(m_line, row.account);
    const std::string date = FormatIsoDate(row.date);
    m_line += ",\"date\":";
    m_line += date.empty() ? "null" : "\"" + date + "\"";
    m_line += ",\"direction\":\"";
    m_line += DirectionName(row.direction);
    m_line += "\",\"amount\":" + FormatShortestAmount(row.amount) + ",\"type\":";
    AppendJsonString(m_line, row.type);
    m_line += ",\"narrative\":";
    AppendJsonString(m_line, row.narrative);
    m_line += '}';
}

}  // namespace cli
