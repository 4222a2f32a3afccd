#include "testhost/statement_transactions.h"

STDMETHODIMP SubstituteStatementTransaction::SetNumber(VARIANT* number) {
    return Respond(3, L"SetNumber(" + VariantText(number) + L")");
}

STDMETHODIMP SubstituteStatementTransaction::SetDate(double date) {
    return Respond(5, L"SetDate(" + NumberText(date) + L")");
}

STDMETHODIMP SubstituteStatementTransaction::SetReference(BSTR reference) {
    return Respond(7, L"SetReference(" + QuotedText(reference) + L")");
}

STDMETHODIMP SubstituteStatementTransaction::SetDirection(LONG direction) {
    return Respond(11, L"SetDirection(" + NumberText(direction) + L")");
}

STDMETHODIMP SubstituteStatementTransaction::SetNarrative(BSTR narrative) {
    return Respond(31, L"SetNarrative(" + QuotedText(narrative) + L")");
}

STDMETHODIMP SubstituteStatementTransaction::SetAmount(double amount) {
    return Respond(37, L"SetAmount(" + NumberText(amount) + L")");
}

STDMETHODIMP SubstituteStatementTransactions::get_Count(LONG* count) {
    return Respond(1, L"get_Count()", [&] {
        const auto size = static_cast<LONG>(transactions_.size());
        if (count) *count = size;
        return NumberText(size);
    });
}

STDMETHODIMP SubstituteStatementTransactions::get_Item(LONG index, ITeskStatementTransaction** transaction) {
    return Respond(2, L"get_Item(" + NumberText(index) + L")", [&] {
        if (index < 0 || static_cast<std::size_t>(index) >= transactions_.size()) throw static_cast<long>(E_INVALIDARG);
        if (transaction) *transaction = Retain(transactions_[static_cast<std::size_t>(index)].Get()).Detach();
        return std::wstring(L"transaction");
    });
}

STDMETHODIMP SubstituteStatementTransactions::Add(ITeskStatementTransaction** transaction) {
    return Respond(3, L"Add()", [&] {
        auto created = CreateComObject<SubstituteStatementTransaction>(++handedOut_);
        ComPtr<ITeskStatementTransaction> held = Retain(static_cast<ITeskStatementTransaction*>(created.Get()));
        if (transaction) *transaction = Retain(held.Get()).Detach();
        transactions_.push_back(std::move(held));
        return created->Name();
    });
}

STDMETHODIMP SubstituteStatementTransactions::Clear() {
    return Respond(4, L"Clear()", [&] {
        transactions_.clear();
        return std::wstring();
    });
}

STDMETHODIMP SubstituteStatementTransactions::SetBalance(double balance) {
    return Respond(7, L"SetBalance(" + NumberText(balance) + L")");
}
