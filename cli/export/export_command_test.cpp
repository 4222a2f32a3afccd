#include "cli/export/export_command.h"

#include <gtest/gtest.h>

#include "payments/memory_payment.h"

namespace cli {

namespace {

TEST(StatusReport, OneLinePerPaymentThenTheResult) {
    std::vector<PaymentRecord> records(5);
    const std::int32_t statuses[] = {0, 29, 1, 40, -1};
    for (std::size_t i = 0; i < records.size(); ++i) records[i].Status = statuses[i];
    MemoryPayments payments(records);
    EXPECT_EQ(StatusReport(payments, 1),
              "0\t0\tPayment processed successfully.\n"
              "1\t29\tInvalid Payee Bank Account Number: the account number must be 8 digits and a numeric value.\n"
              "2\t1\t\n"
              "3\t40\t\n"
              "4\t-1\t\n"
              "result\t1\n");
}

TEST(StatusReport, AnEmptyListGivesTheResultAlone) {
    MemoryPayments payments;
    EXPECT_EQ(StatusReport(payments, 2), "result\t2\n");
}

}  // namespace

}  // namespace cli
