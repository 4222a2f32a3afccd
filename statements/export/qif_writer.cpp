#include "statements/export/qif_writer.h"

#include <stdexcept>

#include "statements/export/export_text.h"

namespace {

void AppendField(std::string& out, char code, std::string_view value) {
    out += code;
    out += value;
    out += "\r\n";
}

}  // namespace

void QifDocument::AppendTransaction(std::string& body, const ExportedTransaction& transaction) const {
    body += 'D';
    AppendSlashedDate(body, transaction.date, order_ == QifDateOrder::DayMonthYear);
    body += "\r\nT";
    AppendSignedAmount(body, transaction.amount, transaction.debit);
    body += "\r\n";
    if (!transaction.ChequeNumber().empty()) AppendField(body, 'N', transaction.ChequeNumber());
    AppendField(body, 'P', transaction.narrative);
    AppendField(body, 'M', transaction.narrative);
    body += "^\r\n";
}

void QifDocument::Write(const TextSink& out) const {
    const auto& accounts = AccountsHeld();
    if (accounts.size() > 1) throw std::invalid_argument("a QIF file holds one account");
    TextBlock block(out);
    block.Text() = "!Type:Bank\r\n";
    if (accounts.empty()) return;
    ForEachTransaction(accounts.front(), [&](const ExportedTransaction& transaction) {
        AppendTransaction(block.Text(), transaction);
        block.Next();
    });
}
