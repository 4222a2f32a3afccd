#include "options/payment_format_rules.h"

PaymentFormatRules RulesFor(PaymentFormat format) {
    switch (format) {
        case PaymentFormat::StandardDomestic: return {403, false, false, true};
        case PaymentFormat::DomesticTemplate: return {404, true, false, true};
        case PaymentFormat::BulkList: return {405, true, true, false};
        case PaymentFormat::AdHocBulk: return {406, false, true, false};
    }
    return {};
}
