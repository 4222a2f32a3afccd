#include "payments/upload_text.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The quoted field that starts at `start`: to the quote that closes it, a doubled quote inside
// staying as it is, and any text after the closing quote kept in the field with the quote. Returns
// where the field ends: at its separator or the end of the line.
std::size_t SplitQuoted(std::string_view line, std::size_t start, char separator, SplitLine& out) {
    std::size_t close = start + 1;
    while ((close = line.find('"', close)) != std::string_view::npos && close + 1 < line.size() && line[close + 1] == '"') {
        close += 2;
    }
    const std::size_t inner = start + 1;
    const std::size_t stop = close == std::string_view::npos ? line.size() : std::min(line.find(separator, close), line.size());
    const bool closedAtTheEnd = close != std::string_view::npos && close + 1 == stop;
    out.fields.push_back(line.substr(inner, (closedAtTheEnd ? close : stop) - inner));
    out.quoted.push_back(static_cast<int>(out.fields.size()));
    return stop;
}

}  // namespace

UploadText ReadUploadText(std::string_view bytes) {
    UploadText text;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    // Semicolons for commas: a locale's spreadsheet, which also writes no comma of its own.
    if (std::count(bytes.begin(), bytes.end(), ';') > std::count(bytes.begin(), bytes.end(), ',')) text.separator = ';';
    std::size_t start = 0;
    std::size_t cr = bytes.find('\r'), lf = bytes.find('\n');
    while (start < bytes.size()) {
        const std::size_t stop = std::min(cr, lf);
        if (stop == std::string_view::npos) {
            text.lines.push_back({bytes.substr(start), LineEnd::None});
            break;
        }
        const bool crLf = stop == cr && lf == cr + 1;
        text.lines.push_back({bytes.substr(start, stop - start), crLf ? LineEnd::CrLf : stop == cr ? LineEnd::Cr : LineEnd::Lf});
        start = stop + (crLf ? 2 : 1);
        if (cr < start) cr = bytes.find('\r', start);
        if (lf < start) lf = bytes.find('\n', start);
    }
    return text;
}

void SplitUploadLine(std::string_view line, char separator, SplitLine& out, std::size_t most) {
    out.fields.clear();
    out.quoted.clear();
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    for (const char* at = begin;; ++at) {  // past the separator
        if (at != end && *at == '"') {
            at = begin + SplitQuoted(line, static_cast<std::size_t>(at - begin), separator, out);
        } else {
            const char* const start = at;
            while (at != end && *at != separator) ++at;
            out.fields.emplace_back(start, static_cast<std::size_t>(at - start));
        }
        if (at == end || out.fields.size() == most) return;
    }
}
