#include "statements/export/export_text.h"

#include <charconv>

#include "common/ole_date.h"

namespace {

void AppendDigits(std::string& out, int value, int width) {
    char digits[16];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = end - digits; length < width; ++length) out += '0';
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// Bytes that Windows-1252 maps to no character.
bool IsUndefinedInWindows1252(unsigned char c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

}  // namespace

void AppendPlainAmount(std::string& out, double amount) {
    char text[400];  // the largest double has 309 digits before the point
    const char* const end = std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed).ptr;
    out.append(text, static_cast<std::size_t>(end - text));
    const std::string_view written(text, static_cast<std::size_t>(end - text));
    const std::size_t point = written.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : written.size() - point - 1;
    if (point == std::string_view::npos) out += '.';
    for (std::size_t i = decimals; i < 2; ++i) out += '0';
}

void AppendSignedAmount(std::string& out, double amount, bool debit) {
    if (debit) out += '-';
    AppendPlainAmount(out, amount);
}

void AppendCompactDate(std::string& out, double date) {
    const auto parts = FromOleDate(date);
    if (!parts) return;
    AppendDigits(out, parts->year, 4);
    AppendDigits(out, parts->month, 2);
    AppendDigits(out, parts->day, 2);
}

void AppendSlashedDate(std::string& out, double date, bool dayFirst) {
    const auto parts = FromOleDate(date);
    if (!parts) return;
    AppendDigits(out, dayFirst ? parts->day : parts->month, 2);
    out += '/';
    AppendDigits(out, dayFirst ? parts->month : parts->day, 2);
    out += '/';
    AppendDigits(out, parts->year, 4);
}

void AppendOfxText(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        default: break;
        }
        out += byte < 0x20 || IsUndefinedInWindows1252(byte) ? '?' : c;
    }
}
