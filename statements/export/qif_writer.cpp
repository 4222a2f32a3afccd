#include "statements/export/qif_writer.h"

#include <stdexcept>

#include "statements/export/export_text.h"
#include "statements/export/written_text.h"

namespace {

char* WriteField(char* out, char code, std::string_view value) {
    *out++ = code;
    return WriteText(WriteText(out, value), "\r\n");
}

// The most a record takes besides its texts.
constexpr std::size_t kRecordRoom = 32 + kDateRoom + kAmountRoom;

std::size_t RoomFor(const KeptTransaction& transaction) {
    return kRecordRoom + transaction.chequeNumber.size() + 2 * transaction.narrative.size();
}

}  // namespace

char* QifDocument::WriteTransaction(char* out, const KeptTransaction& transaction) const {
    *out++ = 'D';
    out = WriteSlashedDate(out, transaction.date, order_ == QifDateOrder::DayMonthYear);
    out = WriteText(out, "\r\nT");
    out = WriteText(WriteSignedAmount(out, transaction.amount, transaction.debit), "\r\n");
    if (!transaction.chequeNumber.empty()) out = WriteField(out, 'N', transaction.chequeNumber);
    out = WriteField(out, 'P', transaction.narrative);
    out = WriteField(out, 'M', transaction.narrative);
    return WriteText(out, "^\r\n");
}

void QifDocument::Write(const TextSink& out) const {
    const auto& accounts = AccountsHeld();
    if (accounts.size() > 1) throw std::invalid_argument("a QIF file holds one account");
    TextBlock block(out);
    block.Append("!Type:Bank\r\n");
    if (!accounts.empty()) {
        ForEachTransaction(accounts.front(), [&](const KeptTransaction& transaction) {
            block.Commit(WriteTransaction(block.Room(RoomFor(transaction)), transaction));
        });
    }
    block.Flush();
}
