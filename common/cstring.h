#pragma once
#include <string>
#include <string_view>

#ifdef _WIN32
#include <wtypes.h>
#endif

// The component's single-byte (ANSI) string. Text that arrives as UTF-16 is converted with the
// system's ANSI code page. A null text argument or an index outside the text raises
// CAtlException(E_INVALIDARG).
class CString {
public:
    CString() = default;
    CString(const char* text);  // NOLINT(google-explicit-constructor): reads like a string literal
    explicit CString(const char16_t* text);
    explicit CString(std::string_view text) : m_text(text) {}
    explicit CString(std::u16string_view text);

    CString& operator=(const char* text);
    CString& operator=(const char16_t* text);
    CString& operator+=(const char* text);
    CString& operator+=(const char16_t* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char c);
    // Replaces the text, keeping the buffer when it is large enough: a reader that fills the same
    // strings line after line allocates nothing once they have grown.
    void SetString(std::string_view text);
    void Empty() noexcept { m_text.clear(); }

    int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const noexcept { return m_text.empty(); }
    char GetAt(int index) const;
    int Find(char c) const noexcept;         // first position, or -1
    int ReverseFind(char c) const noexcept;  // last position, or -1

    int Compare(const char* text) const;
    bool operator==(const char* text) const { return Compare(text) == 0; }
    bool operator!=(const char* text) const { return Compare(text) != 0; }
    bool operator==(const CString& other) const noexcept { return m_text == other.m_text; }
    bool operator!=(const CString& other) const noexcept { return m_text != other.m_text; }

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // String resource `id` (at most 255 characters); false, leaving the text empty, when none.
    bool LoadString(unsigned id);
    // printf-style formatting; the result is cut to 255 characters.
    void Format(const char* format, ...);

    const char* GetString() const noexcept { return m_text.c_str(); }
    std::string_view View() const noexcept { return m_text; }

#ifdef _WIN32
    // A new BSTR converted with the ANSI code page; raises E_OUTOFMEMORY when it cannot be made.
    BSTR AllocSysString() const;
#endif

private:
    std::string m_text;
};
