#include "payments/duplicate_findings.h"

std::vector<DuplicateFinding> FindDuplicates(const std::vector<WrittenPayment>& payments,
                                             const std::vector<std::optional<WrittenBefore>>& before) {
    std::vector<std::optional<std::int32_t>> firstOfKind(payments.size());
    std::vector<PaymentIdentity> identities;
    identities.reserve(payments.size());
    for (const WrittenPayment& payment : payments) identities.push_back(payment.identity);
    for (const std::vector<std::size_t>& group : RepeatedPayments(identities)) {
        for (std::size_t i = 1; i < group.size(); ++i) firstOfKind[group[i]] = payments[group.front()].index;
    }
    std::vector<DuplicateFinding> findings;
    for (std::size_t i = 0; i < payments.size(); ++i) {
        const bool writtenBefore = i < before.size() && before[i];
        if (!writtenBefore && !firstOfKind[i]) continue;
        DuplicateFinding finding;
        finding.payment = payments[i].index;
        if (writtenBefore) {
            finding.written = before[i];
        } else {
            finding.sameAs = firstOfKind[i];
        }
        findings.push_back(std::move(finding));
    }
    return findings;
}
