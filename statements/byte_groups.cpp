#include "statements/byte_groups.h"

void SortBytes(const char* bytes, std::size_t groups, ByteGroup* sorted) noexcept {
    for (std::size_t group = 0; group < groups; ++group) sorted[group] = SortGroup(bytes + group * ByteGroup::kSize);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

namespace {

using namespace byte_groups;

// One bit per byte of the two halves' compare results.
[[gnu::target("avx2")]] inline std::uint64_t Bits(__m256i low, __m256i high) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(low))) |
           static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(high))) << 32;
}

}  // namespace

bool WideSortingAvailable() noexcept {
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("pclmul");
    }();
    return available;
}

[[gnu::target("avx2,pclmul")]] void SortBytesWide(const char* bytes, std::size_t groups, ByteGroup* sorted) noexcept {
    const __m256i stopBits = _mm256_set1_epi8(static_cast<char>(~kStopBits)), zero = _mm256_setzero_si256();
    const __m256i quote = _mm256_set1_epi8(kQuote), separator = _mm256_set1_epi8(kSeparator);
    const __m128i ones = _mm_set1_epi8(-1);
    for (const char* const end = bytes + groups * ByteGroup::kSize; bytes != end; bytes += ByteGroup::kSize, ++sorted) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32));
        const std::uint64_t quotes = Bits(_mm256_cmpeq_epi8(low, quote), _mm256_cmpeq_epi8(high, quote));
        // The carry-less product with all ones is the prefix parity, in one instruction.
        const __m128i parity = _mm_clmulepi64_si128(_mm_set_epi64x(0, static_cast<long long>(quotes)), ones, 0);
        sorted->stops = Bits(_mm256_cmpeq_epi8(_mm256_and_si256(low, stopBits), zero),
                             _mm256_cmpeq_epi8(_mm256_and_si256(high, stopBits), zero));
        sorted->separators = Bits(_mm256_cmpeq_epi8(low, separator), _mm256_cmpeq_epi8(high, separator));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&sorted->quoteParity), parity);
    }
}

#else

bool WideSortingAvailable() noexcept { return false; }

void SortBytesWide(const char* bytes, std::size_t groups, ByteGroup* sorted) noexcept { SortBytes(bytes, groups, sorted); }

#endif
