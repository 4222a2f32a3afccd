#include "bank/host_transactions.h"

namespace {
constexpr double kNoBalance = 0.0;
}  // namespace

HostTransaction::HostTransaction(ComPtr<ITeskStatementTransaction> transaction) noexcept
    : transaction_(std::move(transaction)) {}

void HostTransaction::SetNumber(std::int32_t number) {
    UniqueVariant value;
    V_VT(&value.Get()) = VT_I4;
    V_I4(&value.Get()) = number;
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetNumber(&value.Get()); });
}

void HostTransaction::SetDate(double date) {
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetDate(date); });
}

void HostTransaction::SetDirection(std::int32_t direction) {
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetDirection(direction); });
}

void HostTransaction::SetAmount(double amount) {
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetAmount(amount); });
}

void HostTransaction::SetNarrative(const CString& narrative) {
    const UniqueBstr text(narrative.AllocSysString());
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetNarrative(text.Get()); });
}

void HostTransaction::SetType(const CString& type) {
    const UniqueBstr text(type.AllocSysString());
    transaction_.Raising([&](ITeskStatementTransaction& host) { return host.SetReference(text.Get()); });
}

HostTransactions::HostTransactions(ITeskStatementTransactions* transactions) noexcept
    : transactions_(Retain(transactions)) {}

void HostTransactions::Empty() const {
    transactions_.Raising([](ITeskStatementTransactions& host) { return host.Clear(); });
    transactions_.Raising([](ITeskStatementTransactions& host) { return host.SetBalance(kNoBalance); });
}

std::unique_ptr<TransactionSink> HostTransactions::AddTransaction(const CTransactionRecord&) {
    ComPtr<ITeskStatementTransaction> added;
    const HRESULT hr = transactions_.Unchecked([&](ITeskStatementTransactions& host) { return host.Add(added.Receive()); });
    if (FAILED(hr)) {
        // After a failure the out-parameter is not ours to release.
        added.Detach();
        RaiseComCallFailure(hr, transactions_.Get(), IID_ITeskStatementTransactions);
    }
    return std::make_unique<HostTransaction>(std::move(added));
}
