#include "statements/transaction_record.h"

#include "common/errors.h"

void CTransactionRecord::Reset() {
    // Emptying keeps each string's storage for the next line.
    for (CString* text : {&m_sortCode, &m_accountNumber, &m_accountAlias, &m_accountShortName, &m_currency,
                          &m_accountType, &m_bic, &m_bankName, &m_branchName, &m_dateText, &m_narrativeBuffer,
                          &m_narratives[0], &m_narratives[1], &m_narratives[2], &m_narratives[3], &m_narratives[4],
                          &m_type}) {
        text->Empty();
    }
    m_debitAmount = 0;
    m_creditAmount = 0;
    m_debitFlag = 0;
    m_dateValue = 0;
}

const CString& CTransactionRecord::Narrative(int line) const {
    if (line < 1 || line > 5) throw CAtlException(hresult::kInvalidArg);
    return m_narratives[static_cast<std::size_t>(line - 1)];
}

CString CTransactionRecord::GetNarrative() {
    m_narrativeBuffer = m_narratives[0];
    for (std::size_t line = 1; line < m_narratives.size(); ++line) {
        if (m_narratives[line].IsEmpty()) continue;
        m_narrativeBuffer += ' ';
        m_narrativeBuffer += m_narratives[line];
    }
    return m_narrativeBuffer;
}
