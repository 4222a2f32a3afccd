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

// Bytes that OFX text cannot hold as they are: markup, control characters, and the bytes that
// Windows-1252 maps to no character.
constexpr bool NeedsReplacing(unsigned char c) {
    return c == '&' || c == '<' || c == '>' || c < 0x20 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string_view Replacement(char c) {
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return "?";
    }
}

// Whole pennies below this are exact in a double, and two doubles that differ there differ by
// far less than a penny, so a penny amount's two-decimal text is its shortest text as well.
constexpr double kPenniesExactBelow = 1e13;

// The amount as pounds and pence when it is a whole number of pennies; false otherwise.
bool AppendPennies(std::string& out, double amount) {
    if (!(amount < kPenniesExactBelow)) return false;
    const auto pennies = static_cast<long long>(amount * 100 + 0.5);
    if (static_cast<double>(pennies) / 100 != amount) return false;
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, pennies / 100).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
    out += '.';
    out += static_cast<char>('0' + pennies % 100 / 10);
    out += static_cast<char>('0' + pennies % 10);
    return true;
}

}  // namespace

void AppendPlainAmount(std::string& out, double amount) {
    if (AppendPennies(out, amount)) return;
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
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!NeedsReplacing(static_cast<unsigned char>(text[i]))) continue;
        out.append(text, start, i - start);
        out += Replacement(text[i]);
        start = i + 1;
    }
    out.append(text, start, std::string_view::npos);
}
