#include "cli/statement_output.h"

#include <algorithm>
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
    AppendDecimal(m_line, row.number);
    m_line += ',';
    AppendCsvField(m_line, row.sortCode);
    m_line += ',';
    AppendCsvField(m_line, row.account);
    m_line += ',';
    AppendIsoDate(m_line, row.date);
    m_line += ',';
    m_line += DirectionName(row.direction);
    m_line += ',';
    AppendShortestAmount(m_line, row.amount);
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
