#include "statements/transaction_record.h"

#include <algorithm>
#include <cstring>

#include "common/errors.h"

CTransactionRecord::CTransactionRecord() {
    // Room for every text it can hold, so that making one never allocates (or fails).
    for (std::size_t field = 0; field < kTextFields; ++field) texts_[field].Preallocate(static_cast<int>(kKept[field]));
}

CTransactionRecord::CTransactionRecord(const CTransactionRecord& other) : CTransactionRecord() { *this = other; }

CTransactionRecord& CTransactionRecord::operator=(const CTransactionRecord& other) {
    if (this == &other) return *this;
    narrativeBuffer_ = other.narrativeBuffer_;
    // The texts are made again from the copied line; their room stays as it is.
    std::memcpy(line_.data(), other.line_.data(), other.lineLength_);
    lineLength_ = other.lineLength_;
    bounds_ = other.bounds_;
    typeColumn_ = other.typeColumn_;
    given_ = other.given_;
    made_ = 0;
    debitAmount_ = other.debitAmount_;
    creditAmount_ = other.creditAmount_;
    debitFlag_ = other.debitFlag_;
    dateValue_ = other.dateValue_;
    return *this;
}

void CTransactionRecord::Reset() noexcept {
    given_ = 0;
    made_ = 0;
    narrativeBuffer_.Empty();
    debitAmount_ = 0;
    creditAmount_ = 0;
    debitFlag_ = 0;
    dateValue_ = 0;
}

void CTransactionRecord::KeepLine(std::string_view line, const std::uint32_t* separators, int typeColumn) noexcept {
    lineLength_ = std::min(line.size(), line_.size());
    std::memcpy(line_.data(), line.data(), lineLength_);
    std::memcpy(&bounds_[1], separators, kSeparatorsKept * sizeof bounds_[1]);
    typeColumn_ = static_cast<unsigned>(typeColumn);
    given_ = 0;
    made_ = 0;
}

void CTransactionRecord::Make(TextField field) const noexcept {
    texts_[field].SetString(Source(field));
    made_ |= std::uint32_t{1} << field;
}

const CString& CTransactionRecord::Narrative(int line) const {
    if (line < 1 || line > 5) throw CAtlException(hresult::kInvalidArg);
    return Text(static_cast<TextField>(kFirstNarrativeText + static_cast<unsigned>(line - 1)));
}

const CString& CTransactionRecord::JoinNarrative() {
    narrativeBuffer_.SetString(Source(kFirstNarrativeText));
    for (unsigned field = kFirstNarrativeText + 1; field <= kLastNarrativeText; ++field) {
        const std::string_view line = Source(static_cast<TextField>(field));
        if (line.empty()) continue;
        narrativeBuffer_ += ' ';
        narrativeBuffer_.Append(line);
    }
    return narrativeBuffer_;
}

CString CTransactionRecord::GetNarrative() { return JoinNarrative(); }
