#include "payments/amount_text.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMantissaBits = 53;

// The decimal digits of mantissa * 2^exponent, for the doubles at or above 2^53, which are all
// integers: a little big number in base 10^9, doubled `exponent` times.
std::string DecimalOfScaledInteger(std::uint64_t mantissa, int exponent) {
    constexpr std::uint32_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs;  // least significant first
    for (; mantissa != 0; mantissa /= kBase) limbs.push_back(static_cast<std::uint32_t>(mantissa % kBase));
    for (int i = 0; i < exponent; ++i) {
        std::uint32_t carry = 0;
        for (auto& limb : limbs) {
            const std::uint32_t doubled = limb * 2 + carry;
            carry = doubled >= kBase ? 1 : 0;
            limb = doubled - carry * kBase;
        }
        if (carry) limbs.push_back(carry);
    }
    std::string digits = std::to_string(limbs.back());
    for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
        const std::string part = std::to_string(*it);
        digits.append(9 - part.size(), '0');
        digits += part;
    }
    return digits;
}

// The decimal digits of the number of cents in `magnitude` (finite, not negative).
std::string RoundedCents(double magnitude) {
    if (magnitude == 0) return "0";
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, kMantissaBits));
    const int shift = kMantissaBits - exponent;  // magnitude = mantissa / 2^shift, exactly
    if (shift <= 0) return DecimalOfScaledInteger(mantissa, -shift) + "00";
    // 100 * mantissa < 2^60: beyond that shift the value is below half a cent.
    if (shift > 60) return "0";
    const std::uint64_t scaled = mantissa * 100;
    std::uint64_t cents = scaled >> shift;
    const std::uint64_t remainder = scaled - (cents << shift);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (remainder >= half) ++cents;  // exact halves away from zero
    return std::to_string(cents);
}

}  // namespace

std::string FormatAmount(double value) {
    if (!std::isfinite(value)) return {};
    std::string cents = RoundedCents(std::fabs(value));
    if (cents.size() < 3) cents.insert(0, 3 - cents.size(), '0');
    cents.insert(cents.size() - 2, 1, '.');
    if (value < 0) cents.insert(0, 1, '-');
    return cents;
}
