#pragma once
#include <cstddef>
#include <string>

#include "payments/ad_hoc_bulk_writers.h"
#include "payments/bulk_list_writers.h"
#include "payments/domestic_record_writer.h"
#include "payments/record_layouts.h"
#include "resources/payment_dialog_ids.h"

// The four upload file layouts the user chooses between.
enum class PaymentFormat {
    StandardDomestic = 0,
    DomesticTemplate = 1,
    BulkList = 2,
    AdHocBulk = 3,
};

// Appends one line to `out` and returns whether every check it made passed.
using PaymentLineWriter = bool (*)(std::string& out, Payment& payment, const UploadContext& context);

// Everything that tells the formats apart, for the options dialog, the command line and the
// writers alike. A new format is one more row and its writers.
struct PaymentFormatInfo {
    PaymentFormat format;
    const char* commandLineName;    // varrow export --format
    int radioButtonId;              // its option in the options dialog
    unsigned helpTextId;            // string resource shown under the options while it is chosen
    bool usesTemplate;              // the template name box is enabled and its text reaches the file
    bool usesBeneficiaryReference;  // the beneficiary reference box, likewise
    bool iatMarkingAllowed;         // payments may be marked as Inter Account Transfers
    PaymentLineWriter writeHeader;  // the header record, from the payment at index 0; none without one
    PaymentLineWriter writeRecord;  // the record of each payment
    const RecordLayout* headerLayout;    // none without a header
    const RecordLayout* paymentLayout;   // the record of a payment
    const RecordLayout* transferLayout;  // the record of an Inter Account Transfer; none where there are none
};

inline constexpr PaymentFormatInfo kPaymentFormats[] = {
    {PaymentFormat::StandardDomestic, "standard-domestic", IDC_STANDARD_DOMESTIC, 403, false, false, true, nullptr,
     WriteDomesticRecord, nullptr, &kStandardPayment, &kStandardTransfer},
    {PaymentFormat::DomesticTemplate, "domestic-template", IDC_DOMESTIC_TEMPLATE, 404, true, false, true, nullptr,
     WriteDomesticRecord, nullptr, &kTemplatePayment, &kTemplateTransfer},
    {PaymentFormat::BulkList, "bulk-list", IDC_BULK_LIST, 405, true, true, false, WriteBulkListHeader,
     WriteBulkListRecord, &kBulkListHeader, &kBulkListRecord, nullptr},
    {PaymentFormat::AdHocBulk, "ad-hoc-bulk", IDC_AD_HOC_BULK, 406, false, true, false, WriteAdHocBulkHeader,
     WriteAdHocBulkRecord, &kAdHocBulkHeader, &kAdHocBulkRecord, nullptr},
};

constexpr bool RowsFollowTheFormats() {
    for (std::size_t i = 0; i < std::size(kPaymentFormats); ++i) {
        if (static_cast<std::size_t>(kPaymentFormats[i].format) != i) return false;
    }
    return true;
}
static_assert(RowsFollowTheFormats(), "each format's row sits at the index of its value");

constexpr const PaymentFormatInfo& FormatInfo(PaymentFormat format) {
    return kPaymentFormats[static_cast<std::size_t>(format)];
}
