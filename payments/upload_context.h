#pragma once
#include <string>
#include <string_view>

#include "accounts/modulus_tables.h"
#include "options/payment_options.h"
#include "payments/payment_format.h"

// What the lines of one upload file share, prepared once from the options and the output path.
struct UploadContext {
    PaymentFormat format = PaymentFormat::StandardDomestic;
    std::string date;                  // the processing date, DDMMYYYY
    std::string templateName;          // clean, first 20
    std::string beneficiaryReference;  // clean, first 18
    std::string fileName;              // the output path's file name: clean, first 16
    // The tables of the bank's account number check; none while the check is off.
    const ModulusTables* accountTables = nullptr;
};

UploadContext MakeUploadContext(const PaymentOptions& options, std::string_view outputPath);

// The text after the path's last "\", "/" or ":".
std::string_view FileNameOf(std::string_view path);
