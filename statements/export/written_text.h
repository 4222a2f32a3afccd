#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// Text written straight into room made for it beforehand: each writer takes where to write and
// returns the end of what it wrote. A record's text is thus formatted with one check of room
// rather than one for every piece.

inline char* WriteText(char* out, std::string_view text) noexcept {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Appends what `write` writes, given at most `room` characters.
template <class Write>
void AppendWritten(std::string& out, std::size_t room, Write write) {
    const std::size_t at = out.size();
    out.resize(at + room);
    out.resize(static_cast<std::size_t>(write(&out[at]) - out.data()));
}
