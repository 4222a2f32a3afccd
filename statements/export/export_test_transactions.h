#pragma once
// Transactions for the writers' tests, as the import would hand them over, and what a writer writes.
#include <string>

#include "common/ole_date.h"
#include "statements/export/exported_transaction.h"
#include "statements/export/statement_document.h"

namespace export_test {

inline double Date(int year, int month, int day) { return ToOleDate({year, month, day}).value(); }

// A debit of 12.50 on 5 March 2010 by direct debit from 123456 12345678; change what a test needs.
inline ExportedTransaction Transaction() {
    ExportedTransaction t;
    t.number = 1;
    t.sortCode = "123456";
    t.account = "12345678";
    t.currency = "GBP";
    t.accountType = "Current";
    t.typeCode = "DD";
    t.date = Date(2010, 3, 5);
    t.debit = true;
    t.amount = 12.5;
    t.reference = "DD";
    t.narrative = "TESCO STORES";
    return t;
}

// A cheque paid out, numbered as the import hands cheques over.
inline ExportedTransaction Cheque(const std::string& number, const std::string& payee) {
    ExportedTransaction t = Transaction();
    t.typeCode = "CHQ";
    t.reference = number;
    t.narrative = "CHQ " + number + " " + payee;
    return t;
}

// The whole text of `document`.
inline std::string Written(const StatementDocument& document) {
    std::string text;
    document.Write([&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace export_test
