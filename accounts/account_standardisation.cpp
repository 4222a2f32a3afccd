#include "accounts/account_standardisation.h"

#include <array>
#include <cstdint>

#include "common/text_conversion.h"

namespace {

constexpr std::size_t kShortestAccount = 6;
constexpr std::size_t kLongestAccount = 10;

struct SortCodeRange {
    std::uint32_t first;
    std::uint32_t last;
};
constexpr SortCodeRange kSantanderRanges[] = {{90000, 91900}, {720000, 729999}, {890000, 892999}, {165710, 165710}};

// The digits of a typed value once its spaces and hyphens are gone, without allocating.
template <std::size_t N>
struct Cleaned {
    std::array<char, N> digits{};
    std::size_t size = 0;
    std::string_view View() const noexcept { return {digits.data(), size}; }
};

// Nothing for any other character, or for more than N digits.
template <std::size_t N>
std::optional<Cleaned<N>> Clean(std::string_view text) noexcept {
    Cleaned<N> cleaned;
    for (const char c : text) {
        if (c == ' ' || c == '-') continue;
        if (!IsDigit(c) || cleaned.size == N) return std::nullopt;
        cleaned.digits[cleaned.size++] = c;
    }
    return cleaned;
}

bool IsSantander(SortCode sortCode) noexcept {
    for (const SortCodeRange& range : kSantanderRanges) {
        if (sortCode.Value() >= range.first && sortCode.Value() <= range.last) return true;
    }
    return false;
}

std::optional<ModulusNumber> FromNineDigits(SortCode sortCode, std::string_view digits) noexcept {
    if (!IsSantander(sortCode)) return ModulusNumber::Of(sortCode, digits.substr(1));
    const auto firstDigit = static_cast<std::uint32_t>(digits.front() - '0');
    return ModulusNumber::Of(SortCode::Of(sortCode.Value() / 10 * 10 + firstDigit), digits.substr(1));
}

std::optional<ModulusNumber> FromTenDigits(SortCode sortCode, std::string_view digits) noexcept {
    const bool cooperative = sortCode.Value() / 10000 == 8;
    return ModulusNumber::Of(sortCode, cooperative ? digits.substr(0, kAccountDigits) : digits.substr(2));
}

std::optional<ModulusNumber> FromShortDigits(SortCode sortCode, std::string_view digits) noexcept {
    std::array<char, kAccountDigits> padded;
    padded.fill('0');
    digits.copy(padded.data() + kAccountDigits - digits.size(), digits.size());
    return ModulusNumber::Of(sortCode, {padded.data(), padded.size()});
}

}  // namespace

std::optional<ModulusNumber> StandardiseAccount(std::string_view sortCode, std::string_view account) noexcept {
    const auto code = Clean<SortCode::kDigits>(sortCode);
    const auto digits = Clean<kLongestAccount>(account);
    if (!code || !digits || digits->size < kShortestAccount) return std::nullopt;
    const auto parsed = SortCode::FromDigits(code->View());
    if (!parsed) return std::nullopt;
    switch (digits->size) {
    case kAccountDigits: return ModulusNumber::Of(*parsed, digits->View());
    case kAccountDigits + 1: return FromNineDigits(*parsed, digits->View());
    case kAccountDigits + 2: return FromTenDigits(*parsed, digits->View());
    default: return FromShortDigits(*parsed, digits->View());
    }
}
