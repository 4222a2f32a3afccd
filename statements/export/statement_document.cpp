#include "statements/export/statement_document.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace {

// A transaction packed: date, amount, direction, then Type, reference and narrative each after
// its length. The reader keeps no column longer than 511 characters, and the narrative of five
// 50-character lines with "CHQ " fits 16 bits.
template <typename T>
void Put(std::string& kept, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    kept.append(bytes, sizeof value);
}

void PutText(std::string& kept, std::string_view text) {
    Put(kept, static_cast<std::uint16_t>(text.size()));
    kept += text;
}

template <typename T>
T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

void TakeText(const char*& at, std::string& text) {
    const auto length = Take<std::uint16_t>(at);
    text.assign(at, length);
    at += length;
}

// Blocks grow from a page to a megabyte: an account of a few transactions takes little, a large
// one is not copied as it grows.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = 1 << 20;
// More than a packed transaction takes: three lengths, two amounts, a flag, and texts of at most
// 3, 511 and 4 + 5 * 51 characters.
constexpr std::size_t kLargestTransaction = 1024;

std::string& RoomFor(std::vector<std::string>& blocks) {
    if (blocks.empty() || blocks.back().size() + kLargestTransaction > blocks.back().capacity()) {
        const std::size_t size = blocks.empty() ? kFirstBlock : std::min(2 * blocks.back().capacity(), kLargestBlock);
        blocks.emplace_back().reserve(size);
    }
    return blocks.back();
}

}  // namespace

void StatementDocument::Add(const ExportedTransaction& transaction) {
    Account& account = AccountOf(transaction);
    if (transaction.date == 0) return;
    std::string& kept = RoomFor(account.kept);
    Put(kept, transaction.date);
    Put(kept, transaction.amount);
    Put(kept, static_cast<char>(transaction.debit));
    PutText(kept, transaction.typeCode);
    PutText(kept, transaction.reference);
    PutText(kept, transaction.narrative);
    if (account.count > 0 && transaction.date < account.last) account.inDateOrder = false;
    if (account.count == 0 || transaction.date < account.first) account.first = transaction.date;
    if (account.count == 0 || transaction.date > account.last) account.last = transaction.date;
    ++account.count;
}

void StatementDocument::ForEachTransaction(const Account& account,
                                           const std::function<void(const ExportedTransaction&)>& each) {
    ExportedTransaction transaction;
    transaction.sortCode = account.id.sortCode;
    transaction.account = account.id.number;
    for (const std::string& block : account.kept) {
        const char* at = block.data();
        const char* const end = at + block.size();
        while (at < end) {
            transaction.date = Take<double>(at);
            transaction.amount = Take<double>(at);
            transaction.debit = Take<char>(at) != 0;
            TakeText(at, transaction.typeCode);
            TakeText(at, transaction.reference);
            TakeText(at, transaction.narrative);
            each(transaction);
        }
    }
}

std::vector<ExportedAccountId> StatementDocument::Accounts() const {
    std::vector<ExportedAccountId> ids;
    for (const auto& account : accounts_) ids.push_back(account.id);
    return ids;
}

StatementDocument::Account& StatementDocument::AccountOf(const ExportedTransaction& transaction) {
    // Statements come in runs of one account: try the last one first.
    if (lastUsed_ < accounts_.size()) {
        const ExportedAccountId& id = accounts_[lastUsed_].id;
        if (id.sortCode == transaction.sortCode && id.number == transaction.account) return accounts_[lastUsed_];
    }
    key_.assign(transaction.sortCode).append(1, '\0').append(transaction.account);
    const auto [found, added] = index_.emplace(key_, accounts_.size());
    if (added) {
        Account account;
        account.id = {transaction.sortCode, transaction.account};
        account.currency = transaction.currency;
        account.accountType = transaction.accountType;
        accounts_.push_back(std::move(account));
    }
    lastUsed_ = found->second;
    return accounts_[lastUsed_];
}
