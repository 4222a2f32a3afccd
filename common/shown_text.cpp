#include "common/shown_text.h"

#include <cstdio>

namespace {

constexpr std::size_t kShownLimit = 60;

std::string Quoted(std::string_view text, bool escapeNonAscii) {
    std::string shown = "'";
    for (std::size_t i = 0; i < text.size() && i < kShownLimit; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c < 0x20 || c == 0x7F || (escapeNonAscii && c > 0x7F)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else {
            shown += static_cast<char>(c);
        }
    }
    if (text.size() > kShownLimit) shown += "...";
    return shown + "'";
}

}  // namespace

std::string Shown(std::string_view text) { return Quoted(text, false); }

std::string ShownAscii(std::string_view text) { return Quoted(text, true); }
