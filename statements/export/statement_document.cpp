#include "statements/export/statement_document.h"

void StatementDocument::Add(const ExportedTransaction& transaction) {
    Account& account = AccountOf(transaction);
    if (transaction.date == 0) return;
    AppendTransaction(account.body, transaction);
    if (account.written == 0 || transaction.date < account.first) account.first = transaction.date;
    if (account.written == 0 || transaction.date > account.last) account.last = transaction.date;
    ++account.written;
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
