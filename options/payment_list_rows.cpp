#include "options/payment_list_rows.h"

#include <cstdio>

#include "platform/code_page.h"

namespace {

// The cell text, or empty text when the host fails to supply the value.
template <class Read>
std::string CellText(Read read, std::size_t limit) {
    try {
        std::string text = platform::WideToAnsi(read());
        if (text.size() > limit) text.resize(limit);
        return text;
    } catch (...) {
        return {};
    }
}

std::string AmountText(const Payment& payment) {
    try {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", payment.Value());
        return text;
    } catch (...) {
        return {};
    }
}

std::string IatText(const Payment& payment) {
    try {
        return payment.Status() != 0 ? "Yes" : "No";
    } catch (...) {
        return {};
    }
}

PaymentListRow RowOf(const Payment& p, std::int32_t index) {
    PaymentListRow row;
    row.paymentIndex = index;
    row.sortCode = CellText([&] { return p.PayeeBankSortCode(); }, 10);
    row.accountNumber = CellText([&] { return p.PayeeBankAccountNumber(); }, 29);
    row.name = CellText([&] { return p.PayeeBankAccountName(); }, 31);
    row.amount = AmountText(p);
    row.reference = CellText([&] { return p.PayeeBankBACSReference(); }, 31);
    row.details = CellText([&] { return p.Details(); }, 254);
    row.isIat = IatText(p);
    return row;
}

// Each payment the collection hands out, with its index, in order.
template <class Visit>
void ForEachPayment(Payments& payments, Visit visit) {
    std::int32_t count = 0;
    try {
        count = payments.Count();
    } catch (...) {
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        std::unique_ptr<Payment> payment;
        try {
            payment = payments.Item(i);
        } catch (...) {
        }
        if (payment) visit(*payment, i);
    }
}

}  // namespace

std::vector<PaymentListRow> PaymentListRows(Payments& payments) {
    std::vector<PaymentListRow> rows;
    ForEachPayment(payments, [&](const Payment& payment, std::int32_t i) { rows.push_back(RowOf(payment, i)); });
    return rows;
}

std::vector<std::int32_t> ListedPayments(Payments& payments) {
    std::vector<std::int32_t> indexes;
    ForEachPayment(payments, [&](const Payment&, std::int32_t i) { indexes.push_back(i); });
    return indexes;
}

PaymentListRow PaymentListRowAt(Payments& payments, std::int32_t index) {
    std::unique_ptr<Payment> payment;
    try {
        payment = payments.Item(index);
    } catch (...) {
    }
    if (payment) return RowOf(*payment, index);
    PaymentListRow row;
    row.paymentIndex = index;
    return row;
}
