#include "payments/payment_test_support.h"

#include <stdexcept>

#include "common/ole_date.h"
#include "payments/forwarding_payment.h"

namespace testing_support {

namespace {

class ThrowingPayment : public ForwardingPayment {
public:
    using ForwardingPayment::ForwardingPayment;
    double Value() const override { throw std::runtime_error("host object failed"); }
};

}  // namespace

std::unique_ptr<Payment> ThrowingPayments::Item(std::int32_t index) {
    auto payment = payments_.Item(index);
    if (index != failingIndex_ || !payment) return payment;
    return std::make_unique<ThrowingPayment>(std::move(payment));
}

PaymentRecord ExamplePayment() {
    PaymentRecord record;
    record.Value = 100;
    record.PayerBankSortCode = u"12-34-56";
    record.PayerBankAccountNumber = u"12345678";
    record.PayeeBankSortCode = u"20-00-00";
    record.PayeeBankAccountNumber = u"87654321";
    record.PayeeBankAccountName = u"J. Smith & Co";
    record.PayeeBankBACSReference = u"inv 42";
    return record;
}

double OleDate(int year, int month, int day) {
    const auto date = ToOleDate({year, month, day});
    if (!date) throw std::invalid_argument("no such date");
    return *date;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find("\r\n");
        lines.emplace_back(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 2);
    }
    return lines;
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    for (;;) {
        const auto comma = line.find(',');
        fields.emplace_back(line.substr(0, comma));
        if (comma == std::string_view::npos) return fields;
        line.remove_prefix(comma + 1);
    }
}

std::string DescribeFieldDifferences(std::string_view line, int fieldCount, const std::map<int, std::string>& expected) {
    std::string differences;
    if (line.size() < 2 || line.substr(line.size() - 2) != "\r\n") differences += "line does not end with CR LF; ";
    const std::string_view body = line.substr(0, line.find("\r\n"));
    if (body.find_first_of("\r\n") != std::string_view::npos) differences += "line break inside the line; ";
    const auto fields = SplitFields(body);
    if (static_cast<int>(fields.size()) != fieldCount) {
        differences += std::to_string(fields.size()) + " fields instead of " + std::to_string(fieldCount) + "; ";
    }
    for (int number = 1; number <= static_cast<int>(fields.size()); ++number) {
        const auto wanted = expected.find(number);
        const std::string want = wanted == expected.end() ? "" : wanted->second;
        const std::string& actual = fields[static_cast<std::size_t>(number - 1)];
        if (actual != want) differences += "field " + std::to_string(number) + " is [" + actual + "], expected [" + want + "]; ";
    }
    return differences;
}

std::string ExpectedLine(int fieldCount, const std::map<int, std::string>& fields) {
    std::string line;
    for (int number = 1; number <= fieldCount; ++number) {
        if (number > 1) line += ',';
        const auto field = fields.find(number);
        if (field != fields.end()) line += field->second;
    }
    return line + "\r\n";
}

}  // namespace testing_support
