#include "statements/transaction_record.h"

#include "common/errors.h"

void CTransactionRecord::Reset() {
    // Emptying keeps each string's storage for the next line.
    sortCode_.Empty();
    accountNumber_.Empty();
    accountAlias_.Empty();
    accountShortName_.Empty();
    currency_.Empty();
    accountType_.Empty();
    bic_.Empty();
    bankName_.Empty();
    branchName_.Empty();
    dateText_.Empty();
    narrativeBuffer_.Empty();
    for (CString& line : narratives_) line.Empty();
    type_.Empty();
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
