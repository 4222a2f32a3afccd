#pragma once
// The fuzzer's bytes taken apart into values, front to back. Once the bytes run out every value is
// zero or empty, so any input, however short, still makes a whole case.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class FuzzInput {
public:
    explicit FuzzInput(std::string_view bytes) : bytes_(bytes) {}

    bool Empty() const { return bytes_.empty(); }

    std::uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return byte;
    }

    // Any value of the type, its bits taken as they come: for a double that includes NaN, the
    // infinities and subnormals.
    template <class T>
    T Raw() {
        unsigned char bits[sizeof(T)] = {};
        for (auto& bit : bits) bit = Byte();
        T value;
        std::memcpy(&value, bits, sizeof value);
        return value;
    }

    // A number in [0, bound).
    unsigned Below(unsigned bound) { return bound == 0 ? 0 : Raw<std::uint16_t>() % bound; }

    // Up to `maxUnits` UTF-16 units of any value (lone surrogates and U+0000 included); the length
    // comes first.
    std::u16string Text16(unsigned maxUnits) {
        std::u16string text(Below(maxUnits + 1), u'\0');
        for (auto& unit : text) unit = Raw<char16_t>();
        return text;
    }

    // Up to `maxBytes` bytes of any value; the length comes first.
    std::string Bytes(unsigned maxBytes) {
        std::string text(Below(maxBytes + 1), '\0');
        for (auto& byte : text) byte = static_cast<char>(Byte());
        return text;
    }

    // Up to `maxLength` characters, each one of `alphabet`.
    std::string From(std::string_view alphabet, unsigned maxLength) {
        std::string text(Below(maxLength + 1), '\0');
        for (auto& c : text) c = alphabet[Byte() % alphabet.size()];
        return text;
    }

    // Whatever is left.
    std::string Rest() {
        std::string rest(bytes_);
        bytes_ = {};
        return rest;
    }

private:
    std::string_view bytes_;
};
