// Fuzz target: any bytes as the payment list of `varrow export` are either a usage error with its
// message or a list of payments, one per record after the header, whose texts are whole UTF-16.
#include <exception>

#include "cli/export/csv_reader.h"
#include "cli/export/payment_table.h"
#include "cli/shared/usage_error.h"
#include "tests/support/fuzz_check.h"

namespace {

bool IsWholeUtf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

void CheckPayments(std::string_view input, const std::vector<PaymentRecord>& payments, std::vector<std::string>& problems) {
    const std::size_t records = cli::ReadCsv(input).size();
    if (payments.size() + 1 != records) {
        problems.push_back(std::to_string(payments.size()) + " payments from " + std::to_string(records) + " records");
    }
    for (std::size_t i = 0; i < payments.size(); ++i) {
        const PaymentRecord& p = payments[i];
        for (const std::u16string* text :
             {&p.PayerBankBACSReference, &p.PayerBankSortCode, &p.PayerBankAccountNumber, &p.PayerBankAccountName,
              &p.PayerBuildingSocietyRollNumber, &p.PayeeBankBACSReference, &p.PayeeBankSortCode,
              &p.PayeeBankAccountNumber, &p.PayeeBankAccountName, &p.PayeeBuildingSocietyRollNumber, &p.Reference,
              &p.Details, &p.ClientReference}) {
            if (!IsWholeUtf16(*text)) problems.push_back("payment " + std::to_string(i) + " holds a broken surrogate");
        }
    }
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    std::vector<std::string> problems;
    try {
        CheckPayments(input, cli::LoadPaymentTable(input), problems);
    } catch (const cli::UsageError& e) {
        if (std::string_view(e.what()).empty()) problems.push_back("a usage error without a message");
    } catch (const std::exception& e) {
        problems.push_back(std::string("escaped: ") + e.what());
    }
    return problems;
}
