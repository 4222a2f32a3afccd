#include "statements/statement_import.h"

#include "statements/ktx_transaction_file.h"

void HandTransaction(CTransactionRecord& record, std::int32_t number, TransactionSink& transaction) {
    const bool debit = record.DebitFlag() != 0;
    transaction.SetNumber(number);
    transaction.SetDate(record.DateValue());
    transaction.SetDirection(debit ? kDebitDirection : kCreditDirection);
    transaction.SetAmount(debit ? record.DebitAmount() : record.CreditAmount());
    const CString& narrative = record.JoinNarrative();
    transaction.SetNarrative(narrative);
    if (record.Type() != kChequeType) {
        transaction.SetType(record.Type());
        return;
    }
    transaction.SetType(record.Narrative(1));
    CString chequeNarrative = kChequeType;
    chequeNarrative += ' ';
    chequeNarrative += narrative;
    transaction.SetNarrative(chequeNarrative);
}

namespace {

// Records where reading stopped, unless it was the end of the file or only blank lines remained.
void NoteStop(CKTXTransactionFile& reader, ImportOutcome& outcome) {
    if (reader.AtEndOfFile()) return;
    const long line = reader.LineNumber();
    const auto reason = reader.LastError();
    std::string text = reader.LastReason();
    if (reader.LastLineWasBlank() && reader.OnlyBlankLinesFollow()) return;
    outcome.stoppedAtLine = line;
    outcome.stopReason = reason;
    outcome.stopReasonText = std::move(text);
}

}  // namespace

ImportOutcome ImportStatementFile(const std::string& path, const std::optional<StatementAccount>& account,
                                  TransactionCollection& transactions) {
    ImportOutcome outcome;
    CKTXTransactionFile reader(path, std::ios::in | std::ios::binary);
    outcome.opened = reader.IsOpen();
    outcome.headerFieldCount = reader.HeaderFieldCount();
    if (!reader.PrepareColumns()) return outcome;
    outcome.isStatement = true;
    CTransactionRecord record;
    std::int32_t number = 1;
    while (reader.ReadRecord(record)) {
        const bool ofTheAccount = !account || AccountMatches(record, *account);
        transactions.RecordRead(record, reader.LineNumber(), ofTheAccount);
        if (!ofTheAccount) continue;
        const std::unique_ptr<TransactionSink> transaction = transactions.AddTransaction(record);
        HandTransaction(record, number++, *transaction);
    }
    NoteStop(reader, outcome);
    outcome.added = number - 1;
    return outcome;
}
