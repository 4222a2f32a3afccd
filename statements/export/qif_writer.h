#pragma once
#include "statements/export/statement_document.h"

enum class QifDateOrder {
    DayMonthYear,  // 05/03/2010: the order of the bank and of UK readers
    MonthDayYear,  // 03/05/2010: for readers that want the US order
};

// A statement as QIF, "!Type:Bank": one record per dated transaction, in file order, each with
// D (the date with a four-digit year), T (the amount, negative for a debit), N (a cheque's number),
// P (the narrative, as payee), M (the whole narrative) and "^". QIF holds one account, so a
// document of several accounts cannot be written.
class QifDocument : public StatementDocument {
public:
    explicit QifDocument(QifDateOrder order) : order_(order) {}
    void Write(const TextSink& out) const override;

private:
    char* WriteTransaction(char* out, const KeptTransaction& transaction) const;

    QifDateOrder order_;
};
