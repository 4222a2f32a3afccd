#pragma once

// The four upload file layouts the user chooses between.
enum class PaymentFormat {
    StandardDomestic = 0,
    DomesticTemplate = 1,
    BulkList = 2,
    AdHocBulk = 3,
};

inline bool IsBulkFormat(PaymentFormat format) {
    return format == PaymentFormat::BulkList || format == PaymentFormat::AdHocBulk;
}
