#include "accounts/row_check.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Exception 2 replaces the table's weights when a is not 0, by one set or the other after g.
constexpr Weights kException2Weights = {0, 0, 1, 2, 5, 3, 6, 4, 8, 7, 10, 9, 3, 1};
constexpr Weights kException2WeightsWhenG9 = {0, 0, 0, 0, 0, 0, 0, 0, 8, 7, 10, 9, 3, 1};
// Exception 8 calculates with this sort code, exception 9 (Lloyds euro accounts) with the other.
constexpr SortCode kException8SortCode = SortCode::Of(90126);
constexpr SortCode kException9SortCode = SortCode::Of(309634);
// What exception 1 adds: the institution number 580149, alternately doubled, in front.
constexpr int kException1Addition = 27;

ModulusNumber CalculatedNumber(const WeightRow& row, const ModulusNumber& number, const SubstitutionTable& substitutions) noexcept {
    switch (row.exception) {
    case 5: return number.WithSortCode(substitutions.Substitute(number.GetSortCode()));
    case 8: return number.WithSortCode(kException8SortCode);
    case 9: return number.WithSortCode(kException9SortCode);
    default: return number;
    }
}

void ZeroUToB(Weights& weights) noexcept { std::fill(weights.begin(), weights.begin() + kC, 0); }

Weights CalculatedWeights(const WeightRow& row, const ModulusNumber& n) noexcept {
    Weights weights = row.weights;
    const bool gIs9 = n[kG] == 9;
    switch (row.exception) {
    case 2:
        if (n[kA] != 0) weights = gIs9 ? kException2WeightsWhenG9 : kException2Weights;
        break;
    case 7:
        if (gIs9) ZeroUToB(weights);
        break;
    case 10:  // ab is 09 or 99, and g is 9 in both cases
        if ((n[kA] == 0 || n[kA] == 9) && n[kB] == 9 && gIs9) ZeroUToB(weights);
        break;
    default: break;
    }
    return weights;
}

bool IsSkipped(const WeightRow& row, const ModulusNumber& n) noexcept {
    switch (row.exception) {
    case 3: return n[kC] == 6 || n[kC] == 9;
    case 6: return n[kA] >= 4 && n[kA] <= 8 && n[kG] == n[kH];  // a foreign currency account
    default: return false;
    }
}

int DigitSum(int value) noexcept {
    int sum = 0;
    for (value = std::abs(value); value > 0; value /= 10) sum += value % 10;
    return sum;
}

int Total(ModulusMethod method, const Weights& weights, const ModulusNumber& n) noexcept {
    int total = 0;
    for (std::size_t i = 0; i < kPositions; ++i) {
        const int product = n[static_cast<Position>(i)] * weights[i];
        total += method == ModulusMethod::DoubleAlternate ? DigitSum(product) : product;
    }
    return total;
}

int Remainder(ModulusMethod method, int total) noexcept {
    const int modulus = method == ModulusMethod::Mod11 ? 11 : 10;
    return (total % modulus + modulus) % modulus;
}

// Exception 5 makes g the check digit of the MOD11 check and h that of the DBLAL check.
bool Exception5Passes(ModulusMethod method, int remainder, const ModulusNumber& n) noexcept {
    if (method == ModulusMethod::Mod11) {
        if (remainder == 0) return n[kG] == 0;
        return remainder != 1 && 11 - remainder == n[kG];
    }
    if (remainder == 0) return n[kH] == 0;
    return 10 - remainder == n[kH];
}

bool Passes(const WeightRow& row, int remainder, const ModulusNumber& n) noexcept {
    switch (row.exception) {
    case 4: return remainder == 10 * n[kG] + n[kH];
    case 5: return Exception5Passes(row.method, remainder, n);
    default: return remainder == 0;
    }
}

}  // namespace

RowCheck CheckRow(const WeightRow& row, const ModulusNumber& number, const SubstitutionTable& substitutions) noexcept {
    RowCheck check;
    check.row = &row;
    const ModulusNumber n = CalculatedNumber(row, number, substitutions);
    if (IsSkipped(row, n)) {
        check.skipped = check.passed = true;
        return check;
    }
    check.total = Total(row.method, CalculatedWeights(row, n), n);
    if (row.exception == 1) check.total += kException1Addition;
    check.remainder = Remainder(row.method, check.total);
    check.passed = Passes(row, check.remainder, n);
    return check;
}
