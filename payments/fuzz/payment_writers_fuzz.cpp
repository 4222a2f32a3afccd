// Fuzz target: the writing phase on payments made from the fuzzer's bytes (any UTF-16 text in
// every property, any double, any Status, any format and options). Every line is one line of 80
// or 85 fields ended by CR LF, the file holds the lines the run's order says, and every payment
// written keeps a status code the component defines.
#include <algorithm>
#include <exception>

#include "payments/fuzz/payment_writers_case.h"
#include "payments/memory_payment.h"
#include "payments/payment_file.h"
#include "payments/payment_format.h"
#include "payments/run_result.h"
#include "tests/support/fuzz_check.h"
#include "tests/support/fuzz_input.h"
#include "tests/support/temp_dir.h"

namespace {

using Problems = std::vector<std::string>;
using Case = PaymentWritersCase;

std::vector<std::string> SplitLines(const std::string& bytes, Problems& problems) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    if (start != bytes.size()) problems.push_back("the file does not end with CR LF");
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) problems.push_back("a line holds a lone CR or LF");
    }
    return lines;
}

bool HasHeader(PaymentFormat format) { return FormatInfo(format).writeHeader != nullptr; }

// A bulk header checks the payer of payment 0 alone, and a failed one stops the file: payment 0
// then holds a payer code, which no bulk record sets.
bool HeaderFailed(PaymentFormat format, const std::vector<PaymentRecord>& after) {
    return HasHeader(format) && !after.empty() && (after[0].Status == 23 || after[0].Status == 24);
}

// The record type, field 4, that line `index` of a file in `format` carries.
bool TypeFits(PaymentFormat format, std::size_t index, std::string_view type) {
    switch (format) {
        case PaymentFormat::StandardDomestic:
        case PaymentFormat::DomesticTemplate: return type == "01" || type == "03";
        case PaymentFormat::BulkList: return type == (index == 0 ? "06" : "07");
        case PaymentFormat::AdHocBulk: return type == (index == 0 ? "08" : "09");
    }
    return false;
}

std::string_view FieldFour(std::string_view line) {
    std::size_t start = 0;
    for (int i = 1; i < 4 && start != std::string_view::npos; ++i) start = line.find(',', start) + 1;
    return line.substr(start, line.find(',', start) - start);
}

void CheckLines(const Case& c, const std::vector<PaymentRecord>& after, const std::vector<std::string>& lines,
                Problems& problems) {
    const std::size_t fields = c.options.format == PaymentFormat::AdHocBulk ? 85 : 80;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto count = static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
        if (count != fields) problems.push_back("a line of " + std::to_string(count) + " fields: " + line.substr(0, 120));
        if (count >= 4 && !TypeFits(c.options.format, i, FieldFour(line))) {
            problems.push_back("line " + std::to_string(i) + " of type " + std::string(FieldFour(line)));
        }
    }
    const std::size_t payments = after.size();
    const std::size_t expected = payments == 0                        ? 0
                                 : !HasHeader(c.options.format)    ? payments
                                 : HeaderFailed(c.options.format, after) ? 1
                                                                       : payments + 1;
    if (lines.size() != expected) {
        problems.push_back(std::to_string(lines.size()) + " lines for " + std::to_string(payments) + " payments");
    }
}

bool IsDefinedCode(std::int32_t status) {
    constexpr std::int32_t kCodes[] = {0, 21, 23, 24, 28, 29, 30};
    return std::find(std::begin(kCodes), std::end(kCodes), status) != std::end(kCodes);
}

void CheckStatuses(const Case& c, const std::vector<PaymentRecord>& after, const PaymentFileOutcome& outcome,
                   Problems& problems) {
    const bool headerFailed = HeaderFailed(c.options.format, after);
    bool anyFailed = headerFailed;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (headerFailed && i > 0) {
            if (after[i].Status != c.payments[i].Status) problems.push_back("payment " + std::to_string(i) + " changed after a failed header");
            continue;
        }
        if (!IsDefinedCode(after[i].Status)) {
            problems.push_back("payment " + std::to_string(i) + " has status " + std::to_string(after[i].Status));
        }
        anyFailed = anyFailed || after[i].Status != 0;
    }
    const std::int32_t expected = after.empty() && HasHeader(c.options.format) ? run_result::kFileFailed
                                   : anyFailed                                  ? run_result::kCheckFailed
                                                                                : run_result::kSucceeded;
    if (outcome.resultCode != expected || outcome.returnValue != (anyFailed ? 1 : 0)) {
        problems.push_back("result " + std::to_string(outcome.resultCode) + "/" + std::to_string(outcome.returnValue) +
                           ", expected " + std::to_string(expected));
    }
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    static const TempDir folder;
    Problems problems;
    try {
        const Case c = MakePaymentWritersCase(input);
        MemoryPayments payments(c.payments);
        const std::string path = folder.File(c.fileName);
        const PaymentFileOutcome outcome = WritePaymentFile(payments, c.options, path);
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(path), problems);
        CheckLines(c, payments.Records(), lines, problems);
        CheckStatuses(c, payments.Records(), outcome, problems);
    } catch (const std::exception& e) {
        problems.push_back(std::string("escaped: ") + e.what());
    }
    return problems;
}
