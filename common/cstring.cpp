#include "common/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>

#include "common/errors.h"
#include "platform/code_page.h"
#include "platform/string_resource.h"

#ifdef _WIN32
#include <oleauto.h>
#endif

namespace {

template <class Char>
const Char* Required(const Char* text) {
    if (!text) throw CAtlException(hresult::kInvalidArg);
    return text;
}

std::string FromWide(const char16_t* text) { return platform::WideToAnsi(std::u16string_view(Required(text))); }

constexpr int kFormattedLimit = 255;

}  // namespace

CString::CString(const char* text) : m_text(Required(text)) {}
CString::CString(const char16_t* text) : m_text(FromWide(text)) {}
CString::CString(std::u16string_view text) : m_text(platform::WideToAnsi(text)) {}

CString& CString::operator=(const char* text) {
    m_text = Required(text);
    return *this;
}

CString& CString::operator=(const char16_t* text) {
    m_text = FromWide(text);
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_text += Required(text);
    return *this;
}

CString& CString::operator+=(const char16_t* text) {
    m_text += FromWide(text);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(char c) {
    m_text += c;
    return *this;
}

void CString::SetString(std::string_view text) {
    // Appending to the emptied text copies without assign's checks for an overlapping source,
    // which only text taken from this string itself needs.
    const std::less<const char*> before;
    const char* own = m_text.data();
    if (!before(text.data(), own) && before(text.data(), own + m_text.capacity() + 1)) {
        m_text.assign(text.data(), text.size());
        return;
    }
    m_text.clear();
    m_text.append(text.data(), text.size());
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) throw CAtlException(hresult::kInvalidArg);
    return m_text[static_cast<std::size_t>(index)];
}

int CString::Find(char c) const noexcept {
    const auto at = m_text.find(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char c) const noexcept {
    const auto at = m_text.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const char* text) const { return std::strcmp(m_text.c_str(), Required(text)); }

CString CString::Left(int count) const {
    if (count < 0) throw CAtlException(hresult::kInvalidArg);
    return CString(View().substr(0, static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength() - first); }

CString CString::Mid(int first, int count) const {
    if (first < 0 || first > GetLength() || count < 0) throw CAtlException(hresult::kInvalidArg);
    return CString(View().substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

bool CString::LoadString(unsigned id) {
    m_text = platform::LoadStringResource(id, kFormattedLimit);
    return !m_text.empty();
}

void CString::Format(const char* format, ...) {
    Required(format);
    char buffer[kFormattedLimit + 1] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    m_text = buffer;
}

#ifdef _WIN32
BSTR CString::AllocSysString() const {
    const std::u16string wide = platform::AnsiToWide(m_text);
    BSTR result = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
    if (!result) throw CAtlException(hresult::kOutOfMemory);
    return result;
}
#endif
