#include "cli/statement/statement_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "cli/shared/json_text.h"
#include "cli/statement/output_target.h"
#include "common/ole_date.h"
#include "platform/code_page.h"

namespace cli {

namespace {

const char* DirectionName(std::int32_t direction) { return direction == 0 ? "debit" : "credit"; }

bool IsCsvSpecial(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

// Whether a CSV field of `value` needs quotes. Sixteen characters at a time where SSE2 is at hand:
// a narrative is the longest field of every row.
bool NeedsCsvQuotes(std::string_view value) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(','), quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'),
                  lf = _mm_set1_epi8('\n');
    for (; value.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(value.data() + at));
        const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, comma), _mm_cmpeq_epi8(bytes, quote)),
                                             _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (_mm_movemask_epi8(special) != 0) return true;
    }
#endif
    return std::any_of(value.begin() + static_cast<std::ptrdiff_t>(at), value.end(), IsCsvSpecial);
}

// Below this every amount read from a statement with at most two decimals is printed in fixed
// notation by the shortest form, never in scientific notation.
constexpr double kFixedBelow = 100000;

// Writes `amount` as the shortest text that reads back as it, when it is a whole number of pence
// below kFixedBelow, and returns true; otherwise false and nothing written. The shortest text of
// such an amount is its pence with the point two digits from the right, less trailing zeros.
char* WritePenceAmount(char* out, double amount) {
    if (std::signbit(amount) || !(amount < kFixedBelow)) return nullptr;
    const auto pence = static_cast<std::int64_t>(amount * 100 + 0.5);
    if (static_cast<double>(pence) / 100 != amount) return nullptr;
    char* end = std::to_chars(out, out + 8, pence / 100).ptr;
    const int cents = static_cast<int>(pence % 100);
    if (cents != 0) {
        *end++ = '.';
        *end++ = static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) *end++ = static_cast<char>('0' + cents % 10);
    }
    return end;
}

// Room enough for any of the writers below but WriteCsvField.
constexpr std::size_t kNumberRoom = 32;

// The shortest text that reads back as `amount`.
char* WriteShortestAmount(char* out, double amount) {
    if (char* end = WritePenceAmount(out, amount)) return end;
    return std::to_chars(out, out + kNumberRoom, amount).ptr;
}

// "%0*d" of a value that is not negative.
char* WriteDecimal(char* out, int value, int width = 1) {
    char digits[16];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = end - digits; length < width; ++length) *out++ = '0';
    return std::copy(static_cast<const char*>(digits), end, out);
}

char* WriteIsoDate(char* out, double date) {
    if (date == 0) return out;
    const auto parts = FromOleDate(date);
    if (!parts) return out;
    // The platform's years have four digits at most.
    const int year = parts->year, month = parts->month, day = parts->day;
    const char text[] = {static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
                         static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10), '-',
                         static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10), '-',
                         static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    return std::copy(std::begin(text), std::end(text), out);
}

// Room for a CSV field of `value`: every character doubled, and the quotes.
std::size_t CsvFieldRoom(std::string_view value) { return 2 * value.size() + 2; }

char* WriteText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* WriteCsvField(char* out, std::string_view value) {
    if (!NeedsCsvQuotes(value)) return WriteText(out, value);
    *out++ = '"';
    for (std::size_t start = 0;;) {
        const std::size_t quote = value.find('"', start);
        out = WriteText(out, value.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start));
        if (quote == std::string_view::npos) break;
        *out++ = '"';  // doubled
        start = quote + 1;
    }
    *out++ = '"';
    return out;
}

// Appends what `write` writes into at most `room` characters.
template <class Write>
void AppendWritten(std::string& out, std::size_t room, Write write) {
    const std::size_t at = out.size();
    out.resize(at + room);
    out.resize(static_cast<std::size_t>(write(&out[at]) - out.data()));
}

}  // namespace

void AppendShortestAmount(std::string& out, double amount) {
    AppendWritten(out, kNumberRoom, [amount](char* at) { return WriteShortestAmount(at, amount); });
}

std::string FormatShortestAmount(double amount) {
    std::string text;
    AppendShortestAmount(text, amount);
    return text;
}

void AppendIsoDate(std::string& out, double date) {
    AppendWritten(out, kNumberRoom, [date](char* at) { return WriteIsoDate(at, date); });
}

std::string FormatIsoDate(double date) {
    std::string text;
    AppendIsoDate(text, date);
    return text;
}

void AppendCsvField(std::string& out, std::string_view value) {
    AppendWritten(out, CsvFieldRoom(value), [value](char* at) { return WriteCsvField(at, value); });
}

void AppendJsonString(std::string& out, std::string_view value) {
    // Most text is printable ASCII, the same in UTF-8; the rest goes through the code page whole.
    const bool plain = std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (!plain) return AppendJsonUtf16(out, platform::AnsiToWide(value));
    out += '"';
    out += value;
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
    if (json_) {
        line_.clear();
        AppendJson(row);
        out_.Write(line_);
    } else {
        WriteCsv(row);
    }
    first_ = false;
}

void StatementRowWriter::End() {
    Begin();
    if (json_) out_.Write(first_ ? "]\n" : "\n]\n");
}

void StatementRowWriter::WriteCsv(const StatementRow& row) {
    // One buffer for the row, written into directly and handed to the stream whole.
    const std::size_t room = 4 * kNumberRoom + CsvFieldRoom(row.sortCode) + CsvFieldRoom(row.account) +
                             CsvFieldRoom(row.type) + CsvFieldRoom(row.narrative) + 16;
    if (room > csvRoom_) {
        csv_ = std::make_unique<char[]>(room);
        csvRoom_ = room;
    }
    char* out = WriteDecimal(csv_.get(), row.number);
    *out++ = ',';
    out = WriteCsvField(out, row.sortCode);
    *out++ = ',';
    out = WriteCsvField(out, row.account);
    *out++ = ',';
    out = WriteIsoDate(out, row.date);
    *out++ = ',';
    const std::string_view direction = DirectionName(row.direction);
    out = std::copy(direction.begin(), direction.end(), out);
    *out++ = ',';
    out = WriteShortestAmount(out, row.amount);
    *out++ = ',';
    out = WriteCsvField(out, row.type);
    *out++ = ',';
    out = WriteCsvField(out, row.narrative);
    *out++ = '\n';
    out_.Write(std::string_view(csv_.get(), static_cast<std::size_t>(out - csv_.get())));
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
