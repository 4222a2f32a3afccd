#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "payments/payment_format.h"

namespace cli {

// The command line of `varrow export`, checked for form only; what needs the payment list (the
// range of --iat) is checked once it is loaded.
struct ExportArguments {
    bool help = false;
    PaymentFormat format = PaymentFormat::StandardDomestic;
    std::optional<double> date;   // the processing date; default: the next available one
    std::optional<double> today;  // the day that counts as today; default: the local clock
    std::optional<std::string> templateName;          // as typed, not yet cut
    std::optional<std::string> beneficiaryReference;  // as typed, not yet cut
    std::vector<std::int32_t> iat;                    // payment indexes to mark, in the order given
    bool checkAccounts = false;                       // the bank's account number check of every payee
    std::optional<std::string> tables;                // the folder of its tables; default: as the component chooses
    std::optional<std::string> holidays;              // the calendar's listed days; default: as the component reads them
    std::optional<int> duplicateDays;                 // 0 to 400, 0 off; default: as BANKSERV.INI says
    bool allowDuplicates = false;                     // write the file whatever the check finds
    std::string output;
    std::string payments;
};

// Throws UsageError naming what is wrong.
ExportArguments ParseExportArguments(const std::vector<std::string>& args);

// The name of a format on the command line, e.g. "standard-domestic".
const char* FormatName(PaymentFormat format);

// --format F, as export and verify take it; throws UsageError naming the formats.
PaymentFormat ParseFormat(const std::string& text);

// A date option (--date, --today); throws UsageError for text that is no existing date.
double ParseDateOption(const std::string& option, const std::string& text);

}  // namespace cli
