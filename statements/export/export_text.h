#pragma once
#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

// The values that OFX and QIF write, in the forms their readers take. Each is written at `out`,
// which has room for it (the room named beside it), and the end of it returned; the Append forms
// add it to a string.

// The largest any amount takes: the largest double has 309 digits before the point.
constexpr std::size_t kAmountRoom = 400;
// The largest any date takes.
constexpr std::size_t kDateRoom = 10;
// The largest `length` characters of text take in OFX.
constexpr std::size_t OfxTextRoom(std::size_t length) { return 5 * length; }

// The amount signed by its direction (negative for a debit), "." as the decimal point, no
// grouping and no exponent, with at least two decimals: the shortest such text that reads back as
// the same double. `amount` is not negative.
char* WriteSignedAmount(char* out, double amount, bool debit);
void AppendSignedAmount(std::string& out, double amount, bool debit);
// The same without a sign.
char* WritePlainAmount(char* out, double amount);
void AppendPlainAmount(std::string& out, double amount);

// YYYYMMDD of an OLE Automation date, with no time and so no time zone for a reader to shift it
// by; nothing for a date the platform cannot split.
char* WriteCompactDate(char* out, double date);
void AppendCompactDate(std::string& out, double date);

// WriteCompactDate's text of each date, remembered: a statement spans some hundreds of days at
// most, each written many times over, and splitting a date takes a trip through the platform.
class CompactDates {
public:
    std::string_view Of(double date);

private:
    struct Entry {
        double date = std::numeric_limits<double>::quiet_NaN();  // equal to none: empty
        std::size_t length = 0;
        char text[kDateRoom] = {};
    };
    std::array<Entry, 512> entries_;  // by day number, a year and more
};

// DD/MM/YYYY, or MM/DD/YYYY when not `dayFirst`, of an OLE Automation date; nothing for a date
// the platform cannot split.
char* WriteSlashedDate(char* out, double date, bool dayFirst);
void AppendSlashedDate(std::string& out, double date, bool dayFirst);

// Text of the file's own single-byte characters (Windows-1252) as OFX element content: "&", "<"
// and ">" escaped; a control character, or a byte that Windows-1252 leaves undefined and no
// reader can decode, becomes "?".
char* WriteOfxText(char* out, std::string_view text);
void AppendOfxText(std::string& out, std::string_view text);
// Whether WriteOfxText writes `text` as it is.
bool IsPlainOfxText(std::string_view text);
