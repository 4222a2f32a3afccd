#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/modulus_tables.h"
#include "options/holiday_list.h"
#include "payments/payment_format.h"

// An upload file read back and checked against everything the bank reads by position, with the
// layouts, checks and calendar the payment run writes it by: for a file opened and saved again
// since, or written by something else.

enum class Severity { Error, Warning };

struct Finding {
    std::size_t line = 1;  // from 1
    int field = 0;         // from 1; 0 for the whole line, or on line 1 for the whole file
    Severity severity = Severity::Error;
    std::string text;      // plain ASCII, one line
};

struct VerifyOptions {
    std::optional<PaymentFormat> format;  // the layout the file must have; none: the file's records show it
    double today = 0;                     // OLE date; the processing date must lie from it to 45 days after
    const HolidayList* holidays = nullptr;
    const ModulusTables* accountTables = nullptr;  // the bank's account number check of every payee
};

struct VerifyReport {
    std::optional<PaymentFormat> format;  // none when the file does not show it
    std::size_t lines = 0;
    std::size_t payments = 0;
    std::string total = "0.00";  // of the amounts written as the layouts write them
    std::vector<Finding> findings;  // by line, then field

    std::size_t Count(Severity severity) const;
};

VerifyReport VerifyUploadFile(std::string_view bytes, const VerifyOptions& options);
