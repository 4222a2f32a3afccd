#include "payments/payment_identity.h"

#include <algorithm>
#include <tuple>

namespace {

// Between two values of one identity, a character no field can hold.
constexpr char kApart = '\n';

std::string_view FieldOf(const std::vector<std::string_view>& fields, const FieldSpec* field) {
    if (!field || field->number > static_cast<int>(fields.size())) return {};
    return fields[static_cast<std::size_t>(field->number - 1)];
}

}  // namespace

bool operator<(const PaymentIdentity& a, const PaymentIdentity& b) {
    return std::tie(a.recordType, a.payee, a.amount, a.reference) < std::tie(b.recordType, b.payee, b.amount, b.reference);
}

std::optional<PaymentIdentity> IdentityOf(const RecordLayout& layout, const std::vector<std::string_view>& fields) {
    if (layout.isHeader) return std::nullopt;
    PaymentIdentity identity;
    identity.recordType = layout.recordType;
    const FieldSpec* sortCode = layout.Find(FieldContent::PayeeSortCode);
    if (sortCode) {
        identity.payee = std::string(FieldOf(fields, sortCode)) + kApart +
                         std::string(FieldOf(fields, layout.Find(FieldContent::PayeeAccountNumber)));
    } else {
        identity.payee = FieldOf(fields, layout.Find(FieldContent::TemplateName));
    }
    identity.amount = FieldOf(fields, layout.Find(FieldContent::Amount));
    for (const FieldSpec& field : layout) {
        if (ContentInfo(field.content).isReference) identity.reference += std::string(FieldOf(fields, &field)) + kApart;
    }
    return identity;
}

std::string IdentityText(const PaymentIdentity& identity) {
    // The reference already ends apart.
    return identity.recordType + kApart + identity.payee + kApart + identity.amount + kApart + identity.reference;
}

std::vector<std::vector<std::size_t>> RepeatedPayments(const std::vector<PaymentIdentity>& identities) {
    std::vector<std::size_t> order(identities.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    // Alike identities side by side, each run in ascending order.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return identities[a] < identities[b]; });
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t run = 0, next = 0; run < order.size(); run = next) {
        for (next = run + 1; next < order.size() && identities[order[next]] == identities[order[run]];) ++next;
        if (next - run > 1) groups.emplace_back(order.begin() + static_cast<std::ptrdiff_t>(run), order.begin() + static_cast<std::ptrdiff_t>(next));
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}
