#include "payments/payment_file.h"

#include "payments/payment_format.h"
#include "payments/upload_context.h"
#include "payments/upload_file.h"

namespace {

using Failure = PaymentFileOutcome::Failure;

// Lines are gathered and handed to the file in blocks of about this size.
constexpr std::size_t kBlockSize = 64 * 1024;

void FailCheck(PaymentFileOutcome& outcome) {
    outcome.resultCode = run_result::kCheckFailed;
    outcome.returnValue = run_result::kCheckFailed;
}

// A file that failed leaves the return value as it was.
void Fail(PaymentFileOutcome& outcome, Failure failure) {
    outcome.resultCode = run_result::kFileFailed;
    outcome.failure = failure;
}

// The header of a bulk format, from the payment at index 0. Nothing is written for a collection
// without a first payment: a header made up from nothing would send the whole file to no account.
// Returns false when the records must not follow.
bool WriteBulkHeader(PaymentLineWriter writeHeader, Payments& payments, std::int32_t count,
                     const UploadContext& context, LineTarget& target, PaymentFileOutcome& outcome) {
    const std::unique_ptr<Payment> first = count > 0 ? payments.Item(0) : nullptr;
    if (!first) {
        Fail(outcome, Failure::FetchFailed);
        return false;
    }
    const bool passed = writeHeader(target.Text(), *first, context);
    if (!target.Took(-1)) return false;
    if (passed) return true;
    // A failed header leaves only itself in the file, and no record is validated.
    FailCheck(outcome);
    return false;
}

// One line per payment, each validated as it is written; a failed check does not stop the run,
// a payment that cannot be fetched or a target that cannot take the lines does.
void WriteRecords(PaymentLineWriter writeRecord, Payments& payments, std::int32_t count,
                  const UploadContext& context, LineTarget& target, PaymentFileOutcome& outcome) {
    for (std::int32_t index = 0; index < count; ++index) {
        const std::unique_ptr<Payment> payment = payments.Item(index);
        if (!payment) {
            Fail(outcome, Failure::FetchFailed);
            return;
        }
        if (!writeRecord(target.Text(), *payment, context)) FailCheck(outcome);
        if (!target.Took(index)) return;
    }
}

// The lines gathered and handed to the file in blocks.
class FileTarget : public LineTarget {
public:
    explicit FileTarget(UploadFile& file) : file_(file) { lines_.reserve(kBlockSize + 1024); }
    std::string& Text() override { return lines_; }
    bool Took(std::int32_t) override {
        if (lines_.size() < kBlockSize) return true;
        if (!file_.Write(lines_)) return false;
        lines_.clear();
        return true;
    }
    // What is still gathered; false once any write failed.
    bool Flush() { return file_.Write(lines_); }

private:
    UploadFile& file_;
    std::string lines_;
};

}  // namespace

void WritePaymentLines(Payments& payments, std::int32_t count, const UploadContext& context, LineTarget& target,
                       PaymentFileOutcome& outcome) {
    const PaymentFormatInfo& format = FormatInfo(context.format);
    const bool recordsFollow =
        !format.writeHeader || WriteBulkHeader(format.writeHeader, payments, count, context, target, outcome);
    if (recordsFollow) WriteRecords(format.writeRecord, payments, count, context, target, outcome);
}

PaymentFileOutcome WritePaymentFile(Payments& payments, const PaymentOptions& options, const std::string& outputPath,
                                    const ModulusTables* accountTables) {
    PaymentFileOutcome outcome;
    WritePaymentFile(payments, options, outputPath, accountTables, outcome);
    return outcome;
}

void WritePaymentFile(Payments& payments, const PaymentOptions& options, const std::string& outputPath,
                      const ModulusTables* accountTables, PaymentFileOutcome& outcome) {
    outcome = PaymentFileOutcome();
    const std::int32_t count = payments.Count();
    UploadFile file(outputPath);
    if (!file.IsOpen()) {
        Fail(outcome, Failure::OpenFailed);
        return;
    }
    UploadContext context = MakeUploadContext(options, outputPath);
    context.accountTables = accountTables;
    FileTarget target(file);
    try {
        WritePaymentLines(payments, count, context, target, outcome);
    } catch (...) {
        // A payment that fails while it is read ends the run with an error; the lines before it
        // still reach the file, as they would have had each gone straight to it.
        target.Flush();
        throw;
    }
    // A full disk shows itself at any write or only at the close; neither is a written file.
    const bool written = target.Flush();
    if (!file.Close() || !written) Fail(outcome, Failure::WriteFailed);
}
