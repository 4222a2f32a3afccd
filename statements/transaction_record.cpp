#include "statements/transaction_record.h"

#include "common/errors.h"

void CTransactionRecord::Reset() {
    // Emptying keeps each string's storage for the next line.
    for (CString* text : {&sortCode_, &accountNumber_, &accountAlias_, &accountShortName_, &currency_,
                          &accountType_, &bic_, &bankName_, &branchName_, &dateText_, &narrativeBuffer_,
                          &narratives_[0], &narratives_[1], &narratives_[2], &narratives_[3], &narratives_[4],
                          &type_}) {
        text->Empty();
    }
    debitAmount_ = 0;
    creditAmount_ = 0;
    debitFlag_ = 0;
    dateValue_ = 0;
}

const CString& CTransactionRecord::Narrative(int line) const {
    if (line < 1 || line > 5) throw CAtlException(hresult::kInvalidArg);
    return narratives_[static_cast<std::size_t>(line - 1)];
}

CString CTransactionRecord::GetNarrative() {
    narrativeBuffer_ = narratives_[0];
    for (std::size_t line = 1; line < narratives_.size(); ++line) {
        if (narratives_[line].IsEmpty()) continue;
        narrativeBuffer_ += ' ';
        narrativeBuffer_ += narratives_[line];
    }
    return narrativeBuffer_;
}
