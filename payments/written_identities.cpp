#include "payments/written_identities.h"

#include <optional>

#include "payments/forwarding_payment.h"
#include "payments/payment_file.h"
#include "payments/upload_context.h"
#include "payments/upload_line.h"
#include "payments/upload_text.h"

namespace {

// A payment whose Status the writers may set without touching the host's: the mark is read
// from the host when a writer asks for it, and every later value stays here.
class KeptStatusPayment final : public ForwardingPayment {
public:
    using ForwardingPayment::ForwardingPayment;

    std::int32_t Status() const override {
        if (!status_) status_ = Inner().Status();
        return *status_;
    }
    void SetStatus(std::int32_t status) override { status_ = status; }

private:
    mutable std::optional<std::int32_t> status_;
};

class KeptStatusPayments final : public Payments {
public:
    explicit KeptStatusPayments(Payments& payments) : payments_(payments) {}
    std::int32_t Count() const override { return payments_.Count(); }
    std::unique_ptr<Payment> Item(std::int32_t index) override {
        std::unique_ptr<Payment> payment = payments_.Item(index);
        if (!payment) return nullptr;
        return std::make_unique<KeptStatusPayment>(std::move(payment));
    }

private:
    Payments& payments_;
};

// Takes each record's identity from its line and keeps no line.
class IdentityTarget final : public LineTarget {
public:
    explicit IdentityTarget(const PaymentFormatInfo& format) : format_(format) {}

    std::string& Text() override { return line_; }
    bool Took(std::int32_t index) override {
        if (index >= 0) {
            // Without its CR LF.
            SplitUploadLine(std::string_view(line_).substr(0, line_.size() - 2), ',', split_);
            if (auto identity = IdentityOf(LayoutOf(split_.fields), split_.fields))
                found_.push_back({index, std::move(*identity)});
        }
        line_.clear();
        return true;
    }

    std::vector<WrittenPayment> Found() && { return std::move(found_); }

private:
    // A transfer has a record of its own in the formats that carry transfers.
    const RecordLayout& LayoutOf(const std::vector<std::string_view>& fields) const {
        const RecordLayout* transfer = format_.transferLayout;
        const bool isTransfer = transfer && fields.size() >= kRecordTypeField &&
                                fields[kRecordTypeField - 1] == transfer->recordType;
        return isTransfer ? *transfer : *format_.paymentLayout;
    }

    const PaymentFormatInfo& format_;
    std::string line_;
    SplitLine split_;
    std::vector<WrittenPayment> found_;
};

}  // namespace

std::vector<WrittenPayment> WrittenIdentities(Payments& payments, const PaymentOptions& options) {
    KeptStatusPayments kept(payments);
    // The file's name reaches only the ad hoc header, which is no payment.
    const UploadContext context = MakeUploadContext(options, "");
    IdentityTarget target(FormatInfo(options.format));
    PaymentFileOutcome outcome;
    try {
        WritePaymentLines(kept, kept.Count(), context, target, outcome);
    } catch (...) {
        // A payment that cannot be read would end the writing there too, with its error, once the
        // file is chosen: the payments before it are those the file would hold.
    }
    return std::move(target).Found();
}
