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

CString::CString(const char* text) : text_(Required(text)) {}
CString::CString(const char16_t* text) : text_(FromWide(text)) {}
CString::CString(std::u16string_view text) : text_(platform::WideToAnsi(text)) {}

CString& CString::operator=(const char* text) {
    text_ = Required(text);
    return *this;
}

CString& CString::operator=(const char16_t* text) {
    text_ = FromWide(text);
    return *this;
}

CString& CString::operator+=(const char* text) {
    text_ += Required(text);
    return *this;
}

CString& CString::operator+=(const char16_t* text) {
    text_ += FromWide(text);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(char c) {
    text_ += c;
    return *this;
}

void CString::SetString(std::string_view text) {
    // Appending to the emptied text copies without assign's checks for an overlapping source,
    // which only text taken from this string itself needs.
    const std::less<const char*> before;
    const char* own = text_.data();
    if (!before(text.data(), own) && before(text.data(), own + text_.capacity() + 1)) {
        text_.assign(text.data(), text.size());
        return;
    }
    text_.clear();
    text_.append(text.data(), text.size());
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) throw CAtlException(hresult::kInvalidArg);
    return text_[static_cast<std::size_t>(index)];
}

int CString::Find(char c) const noexcept {
    const auto at = text_.find(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char c) const noexcept {
    const auto at = text_.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const char* text) const { return std::strcmp(text_.c_str(), Required(text)); }

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
    text_ = platform::LoadStringResource(id, kFormattedLimit);
    return !text_.empty();
}

void CString::Format(const char* format, ...) {
    Required(format);
    char buffer[kFormattedLimit + 1] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    text_ = buffer;
}

#ifdef _WIN32
BSTR CString::AllocSysString() const {
    const std::u16string wide = platform::AnsiToWide(text_);
    BSTR result = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
    if (!result) throw CAtlException(hresult::kOutOfMemory);
    return result;
}
#endif
