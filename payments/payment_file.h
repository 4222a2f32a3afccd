#pragma once
#include <cstdint>
#include <string>

#include "accounts/modulus_tables.h"
#include "options/payment_options.h"
#include "payments/payment.h"
#include "payments/run_result.h"

// The writing phase of a payment run: open the upload file, write the header of a bulk format,
// then one line per payment, each validated as it is written; every line ends with CR LF.
struct PaymentFileOutcome {
    std::int32_t resultCode = run_result::kSucceeded;   // or kCheckFailed, or kFileFailed (see below)
    std::int32_t returnValue = run_result::kSucceeded;  // what Process returns: kCheckFailed once a check failed
    // Why the result code is kFileFailed, if it is.
    enum class Failure { None, OpenFailed, FetchFailed, WriteFailed } failure = Failure::None;
};

struct UploadContext;

// Where the lines of a payment file go as they are made.
class LineTarget {
public:
    virtual ~LineTarget() = default;
    // The text the next line is appended to.
    virtual std::string& Text() = 0;
    // A line has been appended for the payment at `index` (-1: the header of a bulk format).
    // False stops the writing.
    virtual bool Took(std::int32_t index) = 0;
};

// The lines of a payment file of `count` payments in their order, each validated as it is made:
// the header of a bulk format from the payment at index 0, and nothing after a failed one or
// without that payment; then one record per payment, up to the first payment that cannot be
// fetched. `outcome` settles as they are made.
void WritePaymentLines(Payments& payments, std::int32_t count, const UploadContext& context, LineTarget& target,
                       PaymentFileOutcome& outcome);

// `accountTables` turn the bank's account number check of every payee on (status 36).
PaymentFileOutcome WritePaymentFile(Payments& payments, const PaymentOptions& options, const std::string& outputPath,
                                    const ModulusTables* accountTables = nullptr);

// The same, settling `outcome` as the lines are written: when a payment that fails while it is
// read ends the run with an exception, `outcome` still says whether a line before it failed.
void WritePaymentFile(Payments& payments, const PaymentOptions& options, const std::string& outputPath,
                      const ModulusTables* accountTables, PaymentFileOutcome& outcome);
