#include "statements/export/export_text.h"

#include <array>
#include <charconv>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/ole_date.h"
#include "statements/export/written_text.h"

namespace {

// The last `width` digits of `value`, which is not negative: the platform's years have four.
char* WriteDigits(char* out, int value, int width) {
    for (int at = width - 1; at >= 0; --at, value /= 10) out[at] = static_cast<char>('0' + value % 10);
    return out + width;
}

// What each byte becomes in OFX text: empty for a byte kept as it is. Markup is escaped; control
// characters and the bytes that Windows-1252 maps to no character become "?".
constexpr std::array<std::string_view, 256> OfxReplacements() {
    std::array<std::string_view, 256> replacements{};
    for (int c = 0; c < 0x20; ++c) replacements[c] = "?";
    for (const int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) replacements[c] = "?";
    replacements['&'] = "&amp;";
    replacements['<'] = "&lt;";
    replacements['>'] = "&gt;";
    return replacements;
}

constexpr std::array<std::string_view, 256> kOfxReplacements = OfxReplacements();

#if defined(__SSE2__)
// Which of 16 bytes may need replacing, a bit each: those below 0x20, markup, and those of
// 0x81..0x9D, which holds the undefined ones.
unsigned MayNeedReplacing(__m128i bytes) {
    const auto atMost = [](__m128i value, char limit) {
        return _mm_cmpeq_epi8(_mm_min_epu8(value, _mm_set1_epi8(limit)), value);
    };
    const __m128i markup = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('&')),
                                        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('<')),
                                                     _mm_cmpeq_epi8(bytes, _mm_set1_epi8('>'))));
    const __m128i high = atMost(_mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x81))), 0x9D - 0x81);
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(atMost(bytes, 0x1F), markup), high)));
}
#endif

bool NeedsReplacing(char c) { return !kOfxReplacements[static_cast<unsigned char>(c)].empty(); }

// Where the first byte of `text` that needs replacing stands, or its size when none does. Sixteen
// bytes at a time where SSE2 is at hand: most text needs nothing, and a narrative is the longest
// text of a transaction.
std::size_t FindReplacement(std::string_view text) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const auto firstIn = [&](std::size_t start, unsigned candidates) {
        for (; candidates != 0; candidates &= candidates - 1) {
            const std::size_t place = start + static_cast<std::size_t>(__builtin_ctz(candidates));
            if (NeedsReplacing(text[place])) return place;
        }
        return text.size();
    };
    if (text.size() >= 16) {
        for (; text.size() - at >= 16; at += 16) {
            const std::size_t found =
                firstIn(at, MayNeedReplacing(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at))));
            if (found != text.size()) return found;
        }
        // The last sixteen bytes, some of them looked at already and found to need nothing.
        const std::size_t last = text.size() - 16;
        return firstIn(last, MayNeedReplacing(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + last))));
    }
#endif
    for (; at < text.size(); ++at) {
        if (NeedsReplacing(text[at])) return at;
    }
    return text.size();
}

// Whole pennies below this are exact in a double, and two doubles that differ there differ by
// far less than a penny, so a penny amount's two-decimal text is its shortest text as well.
constexpr double kPenniesExactBelow = 1e13;

// The amount as pounds and pence when it is a whole number of pennies; null, nothing written,
// otherwise.
char* WritePennies(char* out, double amount) {
    if (!(amount < kPenniesExactBelow)) return nullptr;
    const auto pennies = static_cast<long long>(amount * 100 + 0.5);
    if (static_cast<double>(pennies) / 100 != amount) return nullptr;
    out = std::to_chars(out, out + kAmountRoom, pennies / 100).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + pennies % 100 / 10);
    *out++ = static_cast<char>('0' + pennies % 10);
    return out;
}

}  // namespace

char* WritePlainAmount(char* out, double amount) {
    if (char* const end = WritePennies(out, amount)) return end;
    char* end = std::to_chars(out, out + kAmountRoom, amount, std::chars_format::fixed).ptr;
    const std::string_view written(out, static_cast<std::size_t>(end - out));
    const std::size_t point = written.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : written.size() - point - 1;
    if (point == std::string_view::npos) *end++ = '.';
    for (std::size_t i = decimals; i < 2; ++i) *end++ = '0';
    return end;
}

void AppendPlainAmount(std::string& out, double amount) {
    AppendWritten(out, kAmountRoom, [amount](char* at) { return WritePlainAmount(at, amount); });
}

char* WriteSignedAmount(char* out, double amount, bool debit) {
    if (debit) *out++ = '-';
    return WritePlainAmount(out, amount);
}

void AppendSignedAmount(std::string& out, double amount, bool debit) {
    AppendWritten(out, kAmountRoom + 1, [=](char* at) { return WriteSignedAmount(at, amount, debit); });
}

char* WriteCompactDate(char* out, double date) {
    const auto parts = FromOleDate(date);
    if (!parts) return out;
    out = WriteDigits(out, parts->year, 4);
    out = WriteDigits(out, parts->month, 2);
    return WriteDigits(out, parts->day, 2);
}

std::string_view CompactDates::Of(double date) {
    // Beyond these no day number is taken, nor is such a date split.
    constexpr double kFarthest = 1e9;
    Entry uncached;
    Entry& entry = date > -kFarthest && date < kFarthest
                       ? entries_[static_cast<std::size_t>(static_cast<long long>(date)) % entries_.size()]
                       : uncached;
    if (!(entry.date == date)) {
        entry.date = date;
        entry.length = static_cast<std::size_t>(WriteCompactDate(entry.text, date) - entry.text);
    }
    return std::string_view(entry.text, entry.length);
}

void AppendCompactDate(std::string& out, double date) {
    AppendWritten(out, kDateRoom, [date](char* at) { return WriteCompactDate(at, date); });
}

char* WriteSlashedDate(char* out, double date, bool dayFirst) {
    const auto parts = FromOleDate(date);
    if (!parts) return out;
    out = WriteDigits(out, dayFirst ? parts->day : parts->month, 2);
    *out++ = '/';
    out = WriteDigits(out, dayFirst ? parts->month : parts->day, 2);
    *out++ = '/';
    return WriteDigits(out, parts->year, 4);
}

void AppendSlashedDate(std::string& out, double date, bool dayFirst) {
    AppendWritten(out, kDateRoom, [=](char* at) { return WriteSlashedDate(at, date, dayFirst); });
}

char* WriteOfxText(char* out, std::string_view text) {
    for (;;) {
        const std::size_t kept = FindReplacement(text);
        out = WriteText(out, text.substr(0, kept));
        if (kept == text.size()) return out;
        out = WriteText(out, kOfxReplacements[static_cast<unsigned char>(text[kept])]);
        text.remove_prefix(kept + 1);
    }
}

bool IsPlainOfxText(std::string_view text) { return FindReplacement(text) == text.size(); }

void AppendOfxText(std::string& out, std::string_view text) {
    AppendWritten(out, OfxTextRoom(text.size()), [text](char* at) { return WriteOfxText(at, text); });
}
