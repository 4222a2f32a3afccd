#include "payments/date_text.h"

#include <cstdio>

#include "common/ole_date.h"

std::string FormatFileDate(double oleDate) {
    const auto parts = FromOleDate(oleDate);
    if (!parts) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", parts->day, parts->month, parts->year);
    return text;
}
