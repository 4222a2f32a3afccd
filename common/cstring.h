#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    CString() noexcept = default;
    CString(const char* text);  // NOLINT(google-explicit-constructor): reads like a string literal
    explicit CString(const char16_t* text);
    explicit CString(std::string_view text) { Assign(text); }
    explicit CString(std::u16string_view text);
    CString(const CString& other) { Assign(other.View()); }
    CString(CString&& other) noexcept;
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    ~CString();

    CString& operator=(const char* text);
    CString& operator=(const char16_t* text);
    CString& operator+=(const char* text);
    CString& operator+=(const char16_t* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char c) {
        Append(std::string_view(&c, 1));
        return *this;
    }
    // Appends `text`, which may be this string's own. Inline: a joined narrative appends its lines.
    void Append(std::string_view text) {
        const std::size_t length = length_ + text.size();
        if (length >= room_) return Grow(text);
        CopyText(data_ + length_, text.data(), text.size());  // past the text: no overlap
        data_[length] = '\0';
        length_ = length;
    }
    // Replaces the text, keeping the buffer when it is large enough: a reader that fills the same
    // strings line after line allocates nothing once they have grown, and copies no more than the
    // text. Inline: the statement reader stores every column of every line.
    void SetString(std::string_view text) {
        if (text.size() >= room_) return Assign(text);
        CopyText(data_, text.data(), text.size());
        data_[text.size()] = '\0';
        length_ = text.size();
    }
    void Empty() noexcept {
        if (length_ == 0) return;  // the shared empty text is never written
        data_[0] = '\0';
        length_ = 0;
    }
    // Room for `length` characters, so that no text up to that length allocates again; the text
    // stays. Raises CAtlException(E_INVALIDARG) for a negative length.
    void Preallocate(int length);

    int GetLength() const noexcept { return static_cast<int>(length_); }
    bool IsEmpty() const noexcept { return length_ == 0; }
    char GetAt(int index) const;
    int Find(char c) const noexcept;         // first position, or -1
    int ReverseFind(char c) const noexcept;  // last position, or -1

    int Compare(const char* text) const;
    bool operator==(const char* text) const { return Compare(text) == 0; }
    bool operator!=(const char* text) const { return Compare(text) != 0; }
    bool operator==(const CString& other) const noexcept { return View() == other.View(); }
    bool operator!=(const CString& other) const noexcept { return View() != other.View(); }

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // String resource `id` (at most 255 characters); false, leaving the text empty, when none.
    bool LoadString(unsigned id);
    // printf-style formatting; the result is cut to 255 characters.
    void Format(const char* format, ...);

    const char* GetString() const noexcept { return data_; }
    std::string_view View() const noexcept { return {data_, length_}; }

#ifdef _WIN32
    // A new BSTR converted with the ANSI code page; raises E_OUTOFMEMORY when it cannot be made.
    BSTR AllocSysString() const;
#endif

private:
    // Copies `length` characters that may overlap the target. Most columns of a statement are 4 to
    // 16 characters: two loads and two stores each, read before anything is written.
    static void CopyText(char* to, const char* from, std::size_t length) noexcept {
        if (length >= 8 && length <= 16) {
            std::uint64_t head, tail;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + length - 8, 8);
            std::memcpy(to, &head, 8);
            std::memcpy(to + length - 8, &tail, 8);
        } else if (length >= 4 && length < 8) {
            std::uint32_t head, tail;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + length - 4, 4);
            std::memcpy(to, &head, 4);
            std::memcpy(to + length - 4, &tail, 4);
        } else if (length != 0) {
            std::memmove(to, from, length);
        }
    }
    // Replaces the text, making room for it as needed; the text may be this string's own.
    void Assign(std::string_view text);
    // Appends `text`, making room for it.
    void Grow(std::string_view text);
    // The text of a string without a block of its own: read, never written.
    static char* NoText() noexcept {
        static char none[1] = {};
        return none;
    }
    // Room for `length` characters and the terminator, the text kept.
    void Reserve(std::size_t length);

    // The text lives in one owned block, which a move hands over whole: a pointer into the text
    // stays valid when the string is moved. No block until there is text to hold.
    char* data_ = NoText();  // always terminated
    std::size_t length_ = 0;
    std::size_t room_ = 0;  // the block's size, the terminator included; 0 without one
};
