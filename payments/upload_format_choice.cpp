#include "payments/upload_format_choice.h"

#include <algorithm>

namespace {

// The layout that `format` writes a record of `type` by, or null.
const RecordLayout* LayoutIn(const PaymentFormatInfo& format, std::string_view type) {
    for (const RecordLayout* layout : {format.headerLayout, format.paymentLayout, format.transferLayout}) {
        if (layout && type == layout->recordType) return layout;
    }
    return nullptr;
}

std::string FormatList(const std::vector<PaymentFormat>& formats) {
    std::string list;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) list += i + 1 < formats.size() ? ", " : " or ";
        list += FormatInfo(formats[i]).commandLineName;
    }
    return list;
}

}  // namespace

std::string KnownRecordType(std::string_view field) {
    const std::string restored = field.size() == 1 ? "0" + std::string(field) : std::string(field);
    for (const RecordLayout* layout : kRecordLayouts) {
        if (restored == layout->recordType) return restored;
    }
    return {};
}

int Misfits(const RecordLayout& layout, const std::vector<std::string_view>& fields) {
    int misfits = 0;
    const FieldSpec* next = layout.begin();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool listed = next != layout.end() && next->number == static_cast<int>(i + 1);
        const FieldSpec* field = listed ? next++ : nullptr;
        const bool alwaysWritten = field && ContentInfo(field->content).form != FieldForm::Text;
        if (field ? alwaysWritten && fields[i].empty() : !fields[i].empty()) ++misfits;
    }
    return misfits;
}

bool FormatVotes::Weighs(const std::string& type) {
    return std::count_if(std::begin(kPaymentFormats), std::end(kPaymentFormats),
                         [&](const PaymentFormatInfo& format) { return LayoutIn(format, type) != nullptr; }) > 1;
}

void FormatVotes::Add(const std::string& type, const std::vector<std::string_view>& fields) {
    if (type.empty()) return;
    if (firstType_.empty()) firstType_ = type;
    int best = -1;
    std::optional<PaymentFormat> winner;
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        const RecordLayout* layout = LayoutIn(format, type);
        if (!layout) continue;
        const int misfits = Misfits(*layout, fields);
        if (best < 0 || misfits < best) {
            best = misfits;
            winner = format.format;
        } else if (misfits == best) {
            winner.reset();  // fits both alike: no vote
        }
    }
    if (winner) ++votes_[static_cast<std::size_t>(*winner)];
}

FormatChoice FormatVotes::Choice() const {
    if (firstType_.empty())
        return {std::nullopt, "no line holds the record type of an upload file (01, 03, 06, 07, 08 or 09) in field 4"};
    std::vector<PaymentFormat> candidates;
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        if (LayoutIn(format, firstType_)) candidates.push_back(format.format);
    }
    if (candidates.size() == 1) return {candidates.front(), {}};
    const auto votes = [this](PaymentFormat format) { return votes_[static_cast<std::size_t>(format)]; };
    const auto most = *std::max_element(candidates.begin(), candidates.end(),
                                        [&](PaymentFormat a, PaymentFormat b) { return votes(a) < votes(b); });
    const auto withMost = std::count_if(candidates.begin(), candidates.end(), [&](PaymentFormat f) { return votes(f) == votes(most); });
    if (votes(most) > 0 && withMost == 1) return {most, {}};
    return {std::nullopt, "the records do not show whether the file is " + FormatList(candidates) + ": give --format"};
}
