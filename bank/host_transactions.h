#pragma once
// The host's reconciliation list (StatementTransactions) and its transactions, behind the import
// mapping's TransactionCollection and TransactionSink. Every call raises when the host reports a
// failure: a list left uncleared or a transaction left half-filled must not read as an import.
#include <memory>

#include "host/generated_interfaces.h"
#include "server/host_object.h"
#include "statements/statement_import.h"

class HostTransaction : public TransactionSink {
public:
    // A transaction the list handed out; a null one raises E_POINTER at its first call.
    explicit HostTransaction(ComPtr<ITeskStatementTransaction> transaction) noexcept;

    void SetNumber(std::int32_t number) override;
    void SetDate(double date) override;
    void SetDirection(std::int32_t direction) override;
    void SetAmount(double amount) override;
    void SetNarrative(const CString& narrative) override;
    void SetType(const CString& type) override;

private:
    HostObject<ITeskStatementTransaction> transaction_;
};

class HostTransactions : public TransactionCollection {
public:
    explicit HostTransactions(ITeskStatementTransactions* transactions) noexcept;

    // Empties the list (method 4) and gives it the balance 0.0 (method 7): the file carries none.
    void Empty() const;

    // A new transaction (method 3); the record's account columns are not the host's business.
    std::unique_ptr<TransactionSink> AddTransaction(const CTransactionRecord& source) override;

private:
    HostObject<ITeskStatementTransactions> transactions_;
};
