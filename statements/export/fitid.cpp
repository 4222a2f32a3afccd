#include "statements/export/fitid.h"

#include "statements/export/export_text.h"

namespace {

// FNV-1a, 64 bits: the same on every platform and width.
std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// The record's columns hold no NUL (the reader refuses such lines), so NUL separates them without
// two different transactions ever giving the same bytes.
void AppendPart(std::string& out, std::string_view part) {
    out += part;
    out += '\0';
}

void AppendHex(std::string& out, std::uint64_t value) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string FitidRule::Next(const ExportedTransaction& transaction) {
    identity_.clear();
    AppendPart(identity_, transaction.sortCode);
    AppendPart(identity_, transaction.account);
    AppendPart(identity_, transaction.debit ? "D" : "C");
    AppendPlainAmount(identity_, transaction.amount);
    identity_ += '\0';
    AppendPart(identity_, transaction.typeCode);
    identity_ += transaction.narrative;
    const Key key{static_cast<std::int64_t>(transaction.date), Fnv1a(identity_)};
    const int order = ++seen_[key];

    std::string id;
    AppendCompactDate(id, transaction.date);
    id += '-';
    AppendHex(id, key.hash);
    id += '-';
    id += std::to_string(order);
    return id;
}
