#pragma once
#include <optional>
#include <string>
#include <vector>

#include "payments/payment_format.h"

namespace cli {

// The command line of `varrow verify`, checked for form only.
struct VerifyArguments {
    bool help = false;
    std::optional<PaymentFormat> format;  // the layout every file must have; default: each file's own
    std::optional<double> today;          // the day that counts as today; default: the local clock
    std::optional<std::string> holidays;  // the calendar's listed days; default: as the component reads them
    bool checkAccounts = false;           // the bank's account number check of every payee
    std::optional<std::string> tables;    // the folder of its tables
    bool json = false;
    std::vector<std::string> files;
};

// Throws UsageError naming what is wrong.
VerifyArguments ParseVerifyArguments(const std::vector<std::string>& args);

}  // namespace cli
