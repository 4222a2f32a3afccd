#include "statements/transaction_record.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "common/errors.h"
#include "statements/field_splitting.h"

namespace {

// The most characters each text field keeps, in the order of CTransactionRecord::TextField. The
// Date text is the whole column, which the reader takes up to its longest column.
constexpr std::size_t kKept[] = {6, 8, 35, 35, 3, 20, 34, 35, 27, kMaxStatementFieldLength, 50, 50, 50, 50, 50, 3};

}  // namespace

CTransactionRecord::CTransactionRecord() {
    static_assert(std::size(kKept) == kTextFields, "one kept length for each text field");
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

std::string_view CTransactionRecord::Source(TextField field) const noexcept {
    if ((given_ & (std::uint32_t{1} << field)) == 0) return {};
    const unsigned column = field == kTypeText ? typeColumn_ : field + 1;
    const std::uint32_t start = bounds_[column - 1] + 1;
    const std::string_view text = StripQuotes(std::string_view(line_.data() + start, bounds_[column] - start));
    return text.size() > kKept[field] ? std::string_view(text.data(), kKept[field]) : text;
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
