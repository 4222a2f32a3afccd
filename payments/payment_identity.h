#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payments/record_layouts.h"

// A payment as its written record shows it, to find the same payment written twice: the record
// type; the payee's sort code and account number, or for a template record the template name; the
// amount; and the reference fields. Every value is taken as written, so two records are the same
// payment exactly when the bank would read them alike.
struct PaymentIdentity {
    std::string recordType;
    std::string payee;
    std::string amount;
    std::string reference;

    friend bool operator==(const PaymentIdentity& a, const PaymentIdentity& b) {
        return a.recordType == b.recordType && a.payee == b.payee && a.amount == b.amount && a.reference == b.reference;
    }
    friend bool operator<(const PaymentIdentity& a, const PaymentIdentity& b);
};

// The identity of a payment record of `layout` from its fields as written, field 1 first (a field
// beyond the end reads as empty); nothing for a header.
std::optional<PaymentIdentity> IdentityOf(const RecordLayout& layout, const std::vector<std::string_view>& fields);

// The identity as one text, its values apart: the same text exactly for the same identity.
std::string IdentityText(const PaymentIdentity& identity);

// The payments made more than once: for each identity met more than once, the indexes of its
// payments in ascending order; the groups in the order of their first payment.
std::vector<std::vector<std::size_t>> RepeatedPayments(const std::vector<PaymentIdentity>& identities);
