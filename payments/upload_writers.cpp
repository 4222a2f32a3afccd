#include "payments/upload_writers.h"

#include <stdexcept>

#include "payments/ad_hoc_bulk_writers.h"
#include "payments/bulk_list_writers.h"
#include "payments/domestic_record_writer.h"

bool WriteHeader(std::string& out, Payment& first, const UploadContext& context) {
    switch (context.format) {
        case PaymentFormat::BulkList: return WriteBulkListHeader(out, first, context);
        case PaymentFormat::AdHocBulk: return WriteAdHocBulkHeader(out, first, context);
        default: throw std::logic_error("this payment format has no header");
    }
}

bool WriteRecord(std::string& out, Payment& payment, const UploadContext& context) {
    switch (context.format) {
        case PaymentFormat::BulkList: return WriteBulkListRecord(out, payment, context);
        case PaymentFormat::AdHocBulk: return WriteAdHocBulkRecord(out, payment, context);
        default: return WriteDomesticRecord(out, payment, context);
    }
}
