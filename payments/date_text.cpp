#include "payments/date_text.h"

#include <cmath>
#include <cstdio>

#include "common/ole_date.h"

std::string FormatFileDate(double oleDate) {
    // The platform splits NaN as 30 December 1899 where the native stand-in refuses it: refused
    // here, so that both worlds write the same file.
    if (!std::isfinite(oleDate)) return {};
    const auto parts = FromOleDate(oleDate);
    if (!parts) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", parts->day, parts->month, parts->year);
    return text;
}
