#include "statements/export/fitid.h"

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
    const Key key{static_cast<std::int64_t>(transaction.date), hash.Value()};
    if (datesAscend_ && key.day != day_) seen_.clear();
    day_ = key.day;
    const int order = ++seen_[key];

    out += date;
    out += '-';
    AppendHex(out, key.hash);
    out += '-';
    char digits[16];
    out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, order).ptr - digits));
}

std::string FitidRule::Next(const ExportedTransaction& transaction) {
    std::string date, amount, id;
    AppendCompactDate(date, transaction.date);
    AppendPlainAmount(amount, transaction.amount);
    AppendNext(id, transaction, date, amount);
    return id;
}
