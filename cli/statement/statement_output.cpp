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
#include "statements/export/written_text.h"

namespace cli {

namespace {

const char* DirectionName(std::int32_t direction) { return direction == 0 ? "debit" : "credit"; }

// Room for a JSON string of `value`: six characters for each (\u0001), and the quotes.
std::size_t JsonStringRoom(std::string_view value) { return 6 * value.size() + 2; }

// Whether any character of `value` is one `Special` names. Sixteen characters at a time where SSE2
// is at hand: a narrative is the longest field of every row, and most need nothing.
template <class Special>
bool HasSpecial(std::string_view value) {
    std::size_t at = 0;
#if defined(__SSE2__)
    for (; value.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(value.data() + at));
        if (_mm_movemask_epi8(Special::Among(bytes)) != 0) return true;
    }
#endif
    return std::any_of(value.begin() + static_cast<std::ptrdiff_t>(at), value.end(), Special::Is);
}

// What a JSON string cannot hold as it is in UTF-8: controls, quotes, backslashes, and every byte
// outside printable ASCII (the code page's own characters).
struct JsonSpecial {
    static bool Is(char c) { return c < 0x20 || c >= 0x7F || c == '"' || c == '\\'; }
#if defined(__SSE2__)
    static __m128i Among(__m128i bytes) {
        // Bytes from 0x80 are negative as signed ones, so below a space too.
        return _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x7F))),
                            _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))));
    }
#endif
};

// What makes a CSV field need quotes.
struct CsvSpecial {
    static bool Is(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }
#if defined(__SSE2__)
    static __m128i Among(__m128i bytes) {
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'))),
                            _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
    }
#endif
};

char* WriteJsonString(char* out, std::string_view value) {
    // Most text is printable ASCII, the same in UTF-8; the rest goes through the code page whole.
    if (HasSpecial<JsonSpecial>(value)) {
        std::string escaped;
        AppendJsonUtf16(escaped, platform::AnsiToWide(value));
        return WriteText(out, escaped);
    }
    *out++ = '"';
    out = WriteText(out, value);
    *out++ = '"';
    return out;
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
// The keys and marks of a JSON row.
constexpr std::size_t kJsonRowRoom = 128;

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

char* WriteCsvField(char* out, std::string_view value) {
    if (!HasSpecial<CsvSpecial>(value)) return WriteText(out, value);
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
    AppendWritten(out, JsonStringRoom(value), [value](char* at) { return WriteJsonString(at, value); });
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
        WriteJson(row);
    } else {
        WriteCsv(row);
    }
    first_ = false;
}

char* StatementRowWriter::Room(std::size_t size) {
    if (size > room_) {
        row_ = std::make_unique<char[]>(size);
        room_ = size;
    }
    return row_.get();
}

void StatementRowWriter::Hand(const char* end) {
    out_.Write(std::string_view(row_.get(), static_cast<std::size_t>(end - row_.get())));
}

void StatementRowWriter::End() {
    Begin();
    if (json_) out_.Write(first_ ? "]\n" : "\n]\n");
}

void StatementRowWriter::WriteCsv(const StatementRow& row) {
    // One buffer for the row, written into directly and handed to the stream whole.
    char* out = Room(4 * kNumberRoom + CsvFieldRoom(row.sortCode) + CsvFieldRoom(row.account) + CsvFieldRoom(row.type) +
                     CsvFieldRoom(row.narrative) + 16);
    out = WriteDecimal(out, row.number);
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
    Hand(out);
}

void StatementRowWriter::WriteJson(const StatementRow& row) {
    char* out = Room(kJsonRowRoom + 4 * kNumberRoom + JsonStringRoom(row.sortCode) + JsonStringRoom(row.account) +
                     JsonStringRoom(row.type) + JsonStringRoom(row.narrative));
    out = WriteText(out, first_ ? "\n{\"number\":" : ",\n{\"number\":");
    out = WriteDecimal(out, row.number);
    out = WriteJsonString(WriteText(out, ",\"sort_code\":"), row.sortCode);
    out = WriteJsonString(WriteText(out, ",\"account\":"), row.account);
    out = WriteText(out, ",\"date\":");
    char* const date = out + 1;
    char* const dateEnd = WriteIsoDate(date, row.date);
    if (dateEnd == date) {
        out = WriteText(out, "null");
    } else {
        *out = '"';
        out = dateEnd;
        *out++ = '"';
    }
    out = WriteText(out, ",\"direction\":\"");
    out = WriteText(out, DirectionName(row.direction));
    out = WriteShortestAmount(WriteText(out, "\",\"amount\":"), row.amount);
    out = WriteJsonString(WriteText(out, ",\"type\":"), row.type);
    out = WriteJsonString(WriteText(out, ",\"narrative\":"), row.narrative);
    *out++ = '}';
    Hand(out);
}

}  // namespace cli
