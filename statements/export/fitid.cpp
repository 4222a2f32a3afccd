#include "statements/export/fitid.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "statements/export/written_text.h"

namespace {

constexpr std::uint64_t kFnvStart = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

// FNV-1a, 64 bits: the same on every platform and width.
std::uint64_t Fnv1a(std::uint64_t hash, std::string_view bytes) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    // Four bytes a turn: the loop's own work is then less than the hash's.
    for (; end - at >= 4; at += 4) {
        hash = (hash ^ at[0]) * kFnvPrime;
        hash = (hash ^ at[1]) * kFnvPrime;
        hash = (hash ^ at[2]) * kFnvPrime;
        hash = (hash ^ at[3]) * kFnvPrime;
    }
    for (; at < end; ++at) hash = (hash ^ *at) * kFnvPrime;
    return hash;
}

// The record's columns hold no NUL (the reader refuses such lines), so a NUL after each part
// keeps two different transactions from giving the same bytes.
std::uint64_t Fnv1aPart(std::uint64_t hash, std::string_view part) { return Fnv1a(hash, part) * kFnvPrime; }

// The two hex digits of each byte.
constexpr std::array<char, 512> HexPairs() {
    constexpr char kHex[] = "0123456789abcdef";
    std::array<char, 512> pairs{};
    for (int byte = 0; byte < 256; ++byte) {
        pairs[2 * byte] = kHex[byte >> 4];
        pairs[2 * byte + 1] = kHex[byte & 0xF];
    }
    return pairs;
}

constexpr std::array<char, 512> kHexPairs = HexPairs();

char* WriteHex(char* out, std::uint64_t value) {
    for (int shift = 56; shift >= 0; shift -= 8, out += 2) std::memcpy(out, &kHexPairs[2 * ((value >> shift) & 0xFF)], 2);
    return out;
}

// Day numbers of the dates the platform splits fit 32 bits with room to spare.
std::int32_t DayOf(double date) { return static_cast<std::int32_t>(std::clamp(date, -2e9, 2e9)); }

}  // namespace

FitidRule::FitidRule(std::string_view sortCode, std::string_view account, bool datesAscend)
    : accountHash_(Fnv1aPart(Fnv1aPart(kFnvStart, sortCode), account)), datesAscend_(datesAscend) {}

std::uint64_t FitidRule::HashOf(const KeptTransaction& transaction, std::string_view amount) const {
    std::uint64_t hash;
    HashEach(&transaction, &amount, 1, &hash);
    return hash;
}

void FitidRule::HashEach(const KeptTransaction* transactions, const std::string_view* amounts, std::size_t count,
                         std::uint64_t* hashes) const {
    for (std::size_t i = 0; i < count; ++i) {
        const KeptTransaction& transaction = transactions[i];
        hashes[i] = Fnv1aPart(Fnv1aPart(Fnv1aPart(accountHash_, transaction.debit ? "D" : "C"), amounts[i]),
                              transaction.typeCode);
    }
    // The narratives, the most of what is hashed: a full batch side by side as far as the shortest
    // goes.
    std::size_t together = 0;
    if (count == kBatch) {
        static_assert(kBatch == 4, "the lanes below");
        const auto bytes = [&](std::size_t i) { return reinterpret_cast<const unsigned char*>(transactions[i].narrative.data()); };
        const unsigned char *a = bytes(0), *b = bytes(1), *c = bytes(2), *d = bytes(3);
        together = std::min(std::min(transactions[0].narrative.size(), transactions[1].narrative.size()),
                            std::min(transactions[2].narrative.size(), transactions[3].narrative.size()));
        std::uint64_t ha = hashes[0], hb = hashes[1], hc = hashes[2], hd = hashes[3];
        for (std::size_t at = 0; at < together; ++at) {
            ha = (ha ^ a[at]) * kFnvPrime;
            hb = (hb ^ b[at]) * kFnvPrime;
            hc = (hc ^ c[at]) * kFnvPrime;
            hd = (hd ^ d[at]) * kFnvPrime;
        }
        hashes[0] = ha;
        hashes[1] = hb;
        hashes[2] = hc;
        hashes[3] = hd;
    }
    for (std::size_t i = 0; i < count; ++i) hashes[i] = Fnv1a(hashes[i], transactions[i].narrative.substr(together));
}

char* FitidRule::WriteNext(char* out, double date, std::string_view dateText, std::uint64_t hash) {
    const std::int32_t day = DayOf(date);
    if (datesAscend_ && day != day_ && used_ > 0) {
        std::fill(slots_.begin(), slots_.end(), Slot());
        used_ = 0;
    }
    day_ = day;
    const std::int32_t order = ++CountOf(day, hash);

    out = WriteText(out, dateText);
    *out++ = '-';
    out = WriteHex(out, hash);
    *out++ = '-';
    return std::to_chars(out, out + 10, order).ptr;
}

std::int32_t& FitidRule::CountOf(std::int32_t day, std::uint64_t hash) {
    if (2 * (used_ + 1) > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    // FNV's low bits mix poorly with the day's: fold both through a multiplication first.
    for (std::size_t i = static_cast<std::size_t>((hash ^ static_cast<std::uint64_t>(day)) * 0x9E3779B97F4A7C15ULL >> 32) & mask;;
         i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.count == 0) {
            slot.hash = hash;
            slot.day = day;
            ++used_;
            return slot.count;
        }
        if (slot.hash == hash && slot.day == day) return slot.count;
    }
}

void FitidRule::Grow() {
    std::vector<Slot> old(slots_.empty() ? 32 : 2 * slots_.size());
    old.swap(slots_);
    used_ = 0;
    for (const Slot& slot : old) {
        if (slot.count != 0) CountOf(slot.day, slot.hash) = slot.count;
    }
}

std::string FitidRule::Next(const ExportedTransaction& transaction) {
    std::string date, amount, id;
    AppendCompactDate(date, transaction.date);
    AppendPlainAmount(amount, transaction.amount);
    const std::uint64_t hash = HashOf(transaction.Kept(), amount);
    AppendWritten(id, kRoom, [&](char* at) { return WriteNext(at, transaction.date, date, hash); });
    return id;
}
