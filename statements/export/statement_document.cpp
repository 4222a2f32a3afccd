#include "statements/export/statement_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "statements/export/short_text.h"
#include "statements/export/written_text.h"

namespace {

// A transaction packed: date, amount, a byte of flags, then the Type, a cheque's number and the
// narrative, each after its length.
enum Flags : unsigned char { kDebit = 1, kCheque = 2 };
using Length = std::uint16_t;

template <typename T>
char* Put(char* out, T value) {
    std::memcpy(out, &value, sizeof value);
    return out + sizeof value;
}

char* PutText(char* out, std::string_view text) { return WriteText(Put(out, static_cast<Length>(text.size())), text); }

template <typename T>
T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

std::string_view TakeText(const char*& at) {
    const auto length = Take<Length>(at);
    const std::string_view text(at, length);
    at += length;
    return text;
}

// As many accounts as are quicker to compare one by one than to look up.
constexpr std::size_t kFewAccounts = 8;

std::size_t PackedSize(const KeptTransaction& t) {
    const std::size_t longest = std::max({t.typeCode.size(), t.chequeNumber.size(), t.narrative.size()});
    if (longest > std::numeric_limits<Length>::max()) throw std::length_error("a transaction's text is too long to keep");
    return 2 * sizeof(double) + 1 + 3 * sizeof(Length) + t.typeCode.size() + t.chequeNumber.size() + t.narrative.size();
}

}  // namespace

void StatementDocument::Add(const ExportedTransaction& transaction) {
    Account& account = AccountOf(transaction);
    if (transaction.date == 0) return;
    const KeptTransaction kept = transaction.Kept();
    const bool cheque = !kept.chequeNumber.empty();
    char* out = account.kept.Room(PackedSize(kept), arena_);
    out = Put(out, kept.date);
    out = Put(out, kept.amount);
    out = Put(out, static_cast<unsigned char>((kept.debit ? kDebit : 0) | (cheque ? kCheque : 0)));
    out = PutText(out, kept.typeCode);
    if (cheque) out = PutText(out, kept.chequeNumber);
    account.kept.Commit(PutText(out, kept.narrative));
    if (account.count > 0 && kept.date < account.last) account.inDateOrder = false;
    if (account.count == 0 || kept.date < account.first) account.first = kept.date;
    if (account.count == 0 || kept.date > account.last) account.last = kept.date;
    ++account.count;
}

const char* StatementDocument::Unpack(const char* at, KeptTransaction& transaction) {
    transaction.date = Take<double>(at);
    transaction.amount = Take<double>(at);
    const auto flags = Take<unsigned char>(at);
    transaction.debit = (flags & kDebit) != 0;
    transaction.typeCode = TakeText(at);
    transaction.chequeNumber = (flags & kCheque) != 0 ? TakeText(at) : std::string_view();
    transaction.narrative = TakeText(at);
    return at;
}

std::vector<ExportedAccountId> StatementDocument::Accounts() const {
    std::vector<ExportedAccountId> ids;
    for (const auto& account : accounts_) ids.push_back(account.id);
    return ids;
}

StatementDocument::Account& StatementDocument::AccountOf(const ExportedTransaction& transaction) {
    const auto named = [&](const Account& account) {
        return SameShortText(account.id.number, transaction.account) &&
               SameShortText(account.id.sortCode, transaction.sortCode);
    };
    // Statements come in runs of one account, and most files hold a few: try the last one, then
    // each, before the index that serves a file of many.
    if (lastUsed_ < accounts_.size() && named(accounts_[lastUsed_])) return accounts_[lastUsed_];
    if (accounts_.size() <= kFewAccounts) {
        const auto found = std::find_if(accounts_.begin(), accounts_.end(), named);
        if (found != accounts_.end()) {
            lastUsed_ = static_cast<std::size_t>(found - accounts_.begin());
            return *found;
        }
    }
    key_.assign(transaction.sortCode).append(1, '\0').append(transaction.account);
    const auto found = index_.find(key_);
    if (found != index_.end()) {
        lastUsed_ = found->second;
    } else {
        lastUsed_ = accounts_.size();
        index_.emplace(key_, lastUsed_);
        Account account;
        account.id = {transaction.sortCode, transaction.account};
        account.currency = transaction.currency;
        account.accountType = transaction.accountType;
        accounts_.push_back(std::move(account));
    }
    return accounts_[lastUsed_];
}
