#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// SHA-256 and HMAC-SHA-256, for the payment history's keyed digests: the project takes no library
// beyond the standard one.

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    Sha256& Add(std::string_view bytes);
    // The digest of everything added; the object is spent afterwards.
    Sha256Digest Finish();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t filled_ = 0;
    std::uint64_t length_ = 0;  // in bytes
};

Sha256Digest Sha256Of(std::string_view bytes);

// A key prepared once for many messages: its inner and outer pads already hashed.
class HmacSha256 {
public:
    explicit HmacSha256(std::string_view key);
    Sha256Digest Of(std::string_view message) const;

private:
    Sha256 inner_;
    Sha256 outer_;
};

// Lower-case hexadecimal, two characters a byte.
std::string HexText(const std::uint8_t* bytes, std::size_t size);
inline std::string HexText(const Sha256Digest& digest) { return HexText(digest.data(), digest.size()); }
