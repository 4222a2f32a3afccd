#include "common/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <memory>
#include <utility>

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

CString::CString(const char* text) { Assign(Required(text)); }
CString::CString(const char16_t* text) { Assign(FromWide(text)); }
CString::CString(std::u16string_view text) { Assign(platform::WideToAnsi(text)); }

CString::CString(CString&& other) noexcept
    : data_(std::exchange(other.data_, NoText())), length_(std::exchange(other.length_, 0)),
      room_(std::exchange(other.room_, 0)) {}

CString& CString::operator=(const CString& other) {
    SetString(other.View());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this == &other) return *this;
    if (room_ != 0) delete[] data_;
    data_ = std::exchange(other.data_, NoText());
    length_ = std::exchange(other.length_, 0);
    room_ = std::exchange(other.room_, 0);
    return *this;
}

CString::~CString() {
    if (room_ != 0) delete[] data_;
}

void CString::Reserve(std::size_t length) {
    if (length < room_) return;
    const std::size_t room = std::max(length + 1, 2 * room_);
    auto block = std::make_unique<char[]>(room);
    std::memcpy(block.get(), data_, length_ + 1);
    if (room_ != 0) delete[] data_;
    data_ = block.release();
    room_ = room;
}

void CString::Preallocate(int length) {
    if (length < 0) throw CAtlException(hresult::kInvalidArg);
    Reserve(static_cast<std::size_t>(length));
}

void CString::Assign(std::string_view text) {
    if (text.size() < room_) return SetString(text);
    if (text.empty()) return Empty();  // no block needed for no text
    // A text taken from this string itself is longer than the string: it cannot lie in it.
    Empty();
    Reserve(text.size());
    SetString(text);
}

void CString::Grow(std::string_view text) {
    if (text.empty()) return;  // nothing to add, and no block needed
    // The text may be this string's own, which growing moves.
    const std::string copy(text);
    const std::size_t length = length_ + copy.size();
    Reserve(length);
    std::memcpy(data_ + length_, copy.data(), copy.size());
    data_[length] = '\0';
    length_ = length;
}

CString& CString::operator=(const char* text) {
    Assign(Required(text));
    return *this;
}

CString& CString::operator=(const char16_t* text) {
    Assign(FromWide(text));
    return *this;
}

CString& CString::operator+=(const char* text) {
    Append(Required(text));
    return *this;
}

CString& CString::operator+=(const char16_t* text) {
    Append(FromWide(text));
    return *this;
}

CString& CString::operator+=(const CString& text) {
    Append(text.View());
    return *this;
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) throw CAtlException(hresult::kInvalidArg);
    return data_[static_cast<std::size_t>(index)];
}

int CString::Find(char c) const noexcept {
    const auto at = View().find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char c) const noexcept {
    const auto at = View().rfind(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const char* text) const { return std::strcmp(data_, Required(text)); }

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
    Assign(platform::LoadStringResource(id, kFormattedLimit));
    return !IsEmpty();
}

void CString::Format(const char* format, ...) {
    Required(format);
    char buffer[kFormattedLimit + 1] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Assign(buffer);
}

#ifdef _WIN32
BSTR CString::AllocSysString() const {
    const std::u16string wide = platform::AnsiToWide(View());
    BSTR result = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
    if (!result) throw CAtlException(hresult::kOutOfMemory);
    return result;
}
#endif
