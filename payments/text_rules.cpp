#include "payments/text_rules.h"

namespace {

bool IsKeptByClean(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '.' || c == '-' || c == '/' || c == '&';
}

char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsCleanCharacter(char c) { return IsKeptByClean(c) && ToUpperAscii(c) == c; }

std::string CleanFirst(std::string_view text, std::size_t n) {
    std::string out;
    out.reserve(n < text.size() ? n : text.size());
    for (const char c : text) {
        if (out.size() == n) break;
        if (IsKeptByClean(c)) out += ToUpperAscii(c);
    }
    return out;
}

std::string Clean(std::string_view text) { return CleanFirst(text, text.size()); }

std::string_view FirstN(std::string_view text, std::size_t n) { return text.substr(0, n); }

std::string ZeroPad(std::string_view text, std::size_t n) {
    std::string out(n > text.size() ? n - text.size() : 0, '0');
    out += text;
    return out;
}

std::string SpacePad(std::string_view text, std::size_t n) {
    std::string out(text);
    if (out.size() < n) out.append(n - out.size(), ' ');
    return out;
}
