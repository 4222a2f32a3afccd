#include "cli/status_report.h"

#include "payments/status_codes.h"

namespace cli {

std::string StatusReport(Payments& payments, std::int32_t resultCode) {
    std::string report;
    const std::int32_t count = payments.Count();
    for (std::int32_t index = 0; index < count; ++index) {
        const auto payment = payments.Item(index);
        if (!payment) continue;
        const std::int32_t status = payment->Status();
        report += std::to_string(index) + '\t' + std::to_string(status) + '\t' + StatusText(status).value_or("") + '\n';
    }
    return report + "result\t" + std::to_string(resultCode) + '\n';
}

}  // namespace cli
