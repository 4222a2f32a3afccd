#pragma once
#include <string>
#include <string_view>

// The values that OFX and QIF write, in the forms their readers take.

// The amount signed by its direction (negative for a debit), "." as the decimal point, no
// grouping and no exponent, with at least two decimals: the shortest such text that reads back as
// the same double. `amount` is not negative.
void AppendSignedAmount(std::string& out, double amount, bool debit);
// The same without a sign.
void AppendPlainAmount(std::string& out, double amount);

// YYYYMMDD of an OLE Automation date, with no time and so no time zone for a reader to shift it
// by; nothing for a date the platform cannot split.
void AppendCompactDate(std::string& out, double date);

// DD/MM/YYYY, or MM/DD/YYYY when not `dayFirst`, of an OLE Automation date; nothing for a date
// the platform cannot split.
void AppendSlashedDate(std::string& out, double date, bool dayFirst);

// Text of the file's own single-byte characters (Windows-1252) as OFX element content: "&", "<"
// and ">" escaped; a control character, or a byte that Windows-1252 leaves undefined and no
// reader can decode, becomes "?".
void AppendOfxText(std::string& out, std::string_view text);
