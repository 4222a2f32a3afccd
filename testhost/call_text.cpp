#include "testhost/call_text.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring QuotedText(const wchar_t* text) {
    if (!text) return L"null";
    std::wstring quoted = L"\"";
    for (const wchar_t* c = text; *c; ++c) {
        if (*c == L'"' || *c == L'\\') quoted += L'\\';
        quoted += *c;
    }
    return quoted + L"\"";
}

std::wstring QuotedText(const char* text) {
    if (!text) return L"null";
    std::wstring wide;
    for (const char* c = text; *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return QuotedText(wide.c_str());
}

std::wstring BufferText(const char* buffer, std::size_t size) {
    if (!buffer) return L"null";
    const std::size_t length = strnlen(buffer, size);
    bool zeroFilled = true;
    for (std::size_t i = length; i < size; ++i) zeroFilled = zeroFilled && buffer[i] == 0;
    const std::string text(buffer, length);
    return L"char[" + std::to_wstring(size) + L"] " + QuotedText(text.c_str()) +
           (zeroFilled ? L"" : L" (not zero-filled)");
}

std::wstring NumberText(double value) {
    char text[64] = {};
    const auto result = std::to_chars(text, text + sizeof text - 1, value);
    return Widen(std::string(text, result.ptr));
}

std::wstring NumberText(long value) { return std::to_wstring(value); }

std::wstring VariantText(const VARIANT* value) {
    if (!value) return L"null";
    switch (V_VT(value)) {
        case VT_EMPTY: return L"VT_EMPTY";
        case VT_I2: return L"VT_I2 " + std::to_wstring(V_I2(value));
        case VT_I4: return L"VT_I4 " + std::to_wstring(V_I4(value));
        case VT_R8: return L"VT_R8 " + NumberText(V_R8(value));
        case VT_BSTR: return L"VT_BSTR " + QuotedText(V_BSTR(value));
        default: return L"VT " + std::to_wstring(V_VT(value));
    }
}

std::wstring HResultText(HRESULT hr) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}
