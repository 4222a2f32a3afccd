#include "payments/upload_format_choice.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kFormatCount = std::size(kPaymentFormats);

bool IsLayoutOf(const RecordLayout* layout, std::string_view type) { return layout && type == layout->recordType; }

// The layout that `format` writes a record of `type` by, or null.
const RecordLayout* LayoutIn(const PaymentFormatInfo& format, std::string_view type) {
    for (const RecordLayout* layout : {format.headerLayout, format.paymentLayout, format.transferLayout}) {
        if (IsLayoutOf(layout, type)) return layout;
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
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec* field = layout.At(static_cast<int>(i + 1));
        const bool alwaysWritten = field && ContentInfo(field->content).form != FieldForm::Text;
        if (field ? alwaysWritten && fields[i].empty() : !fields[i].empty()) ++misfits;
    }
    return misfits;
}

FormatChoice ChooseFormat(const std::vector<TypedLine>& lines) {
    const auto first = std::find_if(lines.begin(), lines.end(), [](const TypedLine& l) { return !l.type.empty(); });
    if (first == lines.end())
        return {std::nullopt, "no line holds the record type of an upload file (01, 03, 06, 07, 08 or 09) in field 4"};
    std::vector<PaymentFormat> candidates;
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        if (LayoutIn(format, first->type)) candidates.push_back(format.format);
    }
    if (candidates.size() == 1) return {candidates.front(), {}};
    std::array<int, kFormatCount> votes{};
    for (const TypedLine& line : lines) {
        int best = -1;
        std::optional<PaymentFormat> winner;
        for (const PaymentFormat format : candidates) {
            const RecordLayout* layout = LayoutIn(FormatInfo(format), line.type);
            if (!layout) continue;
            const int misfits = Misfits(*layout, line.fields);
            if (best < 0 || misfits < best) {
                best = misfits;
                winner = format;
            } else if (misfits == best) {
                winner.reset();  // fits both alike: no vote
            }
        }
        if (winner) ++votes[static_cast<std::size_t>(*winner)];
    }
    const auto most = std::max_element(votes.begin(), votes.end());
    if (*most > 0 && std::count(votes.begin(), votes.end(), *most) == 1)
        return {static_cast<PaymentFormat>(most - votes.begin()), {}};
    return {std::nullopt, "the records do not show whether the file is " + FormatList(candidates) + ": give --format"};
}
