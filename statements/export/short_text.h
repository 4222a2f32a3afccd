#pragma once
#include <cstddef>
#include <string_view>

// Whether two texts of a few characters (a Type code, an account number) are the same, compared
// in line: a call to the library's comparison costs more than comparing them.
inline bool SameShortText(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}
