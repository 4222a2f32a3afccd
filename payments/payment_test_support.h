#pragma once
// Helpers shared by the payment core's tests.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "payments/memory_payment.h"

namespace testing_support {

// The payment of the worked examples: payer 12-34-56 / 12345678, 100.00 to 20-00-00 / 87654321,
// payee J. Smith & Co, BACS reference inv 42, no roll number, Status 0.
PaymentRecord ExamplePayment();

// The OLE date of a day that exists.
double OleDate(int year, int month, int day);

// The lines of a file without their CR LF; a last part after the final CR LF is kept as a line
// of its own so that a missing line end shows.
std::vector<std::string> SplitLines(std::string_view bytes);

// The comma-separated fields of one line.
std::vector<std::string> SplitFields(std::string_view line);

// Compares every field of `line` (CR LF included) with `expected`: the listed fields hold the
// given text, every other field is empty. Returns a description of each difference.
std::string DescribeFieldDifferences(std::string_view line, int fieldCount, const std::map<int, std::string>& expected);

// A line with the given fields (the others empty), joined without any of the writers' code.
std::string ExpectedLine(int fieldCount, const std::map<int, std::string>& fields);

// Payments in memory of which the one at `failingIndex` throws std::runtime_error when its Value
// is read, as a host payment whose property call fails.
class ThrowingPayments : public Payments {
public:
    ThrowingPayments(std::vector<PaymentRecord> records, std::int32_t failingIndex)
        : payments_(std::move(records)), failingIndex_(failingIndex) {}
    std::int32_t Count() const override { return payments_.Count(); }
    std::unique_ptr<Payment> Item(std::int32_t index) override;
    std::vector<PaymentRecord>& Records() noexcept { return payments_.Records(); }

private:
    MemoryPayments payments_;
    std::int32_t failingIndex_;
};

}  // namespace testing_support
