#pragma once
// The bank's name as the host's configuration calls take it: single-byte text in a buffer of a
// fixed size, filled with zeros after the text.
#include <array>
#include <cstddef>
#include <cstring>

constexpr char kBankName[] = "Varrow Online";

template <std::size_t Size>
std::array<char, Size> BankNameBuffer() {
    static_assert(Size > sizeof kBankName, "the name and its terminator must fit");
    std::array<char, Size> buffer{};
    std::memcpy(buffer.data(), kBankName, sizeof kBankName);
    return buffer;
}
