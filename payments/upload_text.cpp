#include "payments/upload_text.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

UploadText ReadUploadText(std::string_view bytes) {
    UploadText text;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    // Semicolons for commas: a locale's spreadsheet, which also writes no comma of its own.
    const auto commas = std::count(bytes.begin(), bytes.end(), ',');
    if (std::count(bytes.begin(), bytes.end(), ';') > commas) text.separator = ';';
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            text.lines.push_back({bytes.substr(start), LineEnd::None});
            break;
        }
        const bool crLf = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
        const LineEnd end = crLf ? LineEnd::CrLf : bytes[stop] == '\r' ? LineEnd::Cr : LineEnd::Lf;
        text.lines.push_back({bytes.substr(start, stop - start), end});
        start = stop + (crLf ? 2 : 1);
    }
    return text;
}

std::vector<TextField> SplitUploadLine(std::string_view line, char separator) {
    std::vector<TextField> fields;
    std::size_t start = 0;
    for (;;) {
        TextField field;
        std::size_t stop = 0;
        if (start < line.size() && line[start] == '"') {
            std::size_t close = start + 1;
            while ((close = line.find('"', close)) != std::string_view::npos && close + 1 < line.size() &&
                   line[close + 1] == '"') {
                close += 2;
            }
            field.quoted = true;
            const std::size_t inner = start + 1;
            stop = close == std::string_view::npos ? close : line.find(separator, close);
            // Text after the closing quote stays in the field, the quote with it.
            const bool closedAtTheEnd = close != std::string_view::npos && (stop == close + 1 || close + 1 == line.size());
            const std::size_t end = closedAtTheEnd ? close : stop;
            field.text = line.substr(inner, end == std::string_view::npos ? end : end - inner);
        } else {
            stop = line.find(separator, start);
            field.text = line.substr(start, stop == std::string_view::npos ? stop : stop - start);
        }
        fields.push_back(field);
        if (stop == std::string_view::npos) return fields;
        start = stop + 1;
    }
}
