#include "statements/export/fitid.h"

#include <algorithm>
#include <charconv>

#include "statements/export/export_text.h"

namespace {

// FNV-1a, 64 bits: the same on every platform and width.
class Fnv1a {
public:
    explicit Fnv1a(std::uint64_t start = 0xcbf29ce484222325ULL) : hash_(start) {}
    void Add(std::string_view bytes) {
        for (const char c : bytes) {
            hash_ ^= static_cast<unsigned char>(c);
            hash_ *= 0x100000001b3ULL;
        }
    }
    // The record's columns hold no NUL (the reader refuses such lines), so a NUL after each part
    // keeps two different transactions from giving the same bytes.
    void AddPart(std::string_view part) {
        Add(part);
        Add(std::string_view("\0", 1));
    }
    std::uint64_t Value() const noexcept { return hash_; }

private:
    std::uint64_t hash_;
};

void AppendHex(std::string& out, std::uint64_t value) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

FitidRule::FitidRule(std::string_view sortCode, std::string_view account, bool datesAscend)
    : datesAscend_(datesAscend) {
    Fnv1a hash;
    hash.AddPart(sortCode);
    hash.AddPart(account);
    accountHash_ = hash.Value();
}

void FitidRule::AppendNext(std::string& out, const ExportedTransaction& transaction, std::string_view date,
                           std::string_view amount) {
    Fnv1a hash(accountHash_);
    hash.AddPart(transaction.debit ? "D" : "C");
    hash.AddPart(amount);
    hash.AddPart(transaction.typeCode);
    hash.Add(transaction.narrative);
    const auto day = static_cast<std::int64_t>(transaction.date);
    if (datesAscend_ && day != day_ && used_ > 0) {
        std::fill(slots_.begin(), slots_.end(), Slot());
        used_ = 0;
    }
    day_ = day;
    const int order = ++CountOf(day, hash.Value());

    out += date;
    out += '-';
    AppendHex(out, hash.Value());
    out += '-';
    char digits[16];
    out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, order).ptr - digits));
}

int& FitidRule::CountOf(std::int64_t day, std::uint64_t hash) {
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
    AppendNext(id, transaction, date, amount);
    return id;
}
