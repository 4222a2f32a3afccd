#include "payments/record_layouts.h"

namespace {

using C = FieldContent;
namespace w = field_width;

constexpr std::size_t kPayeeNameWidth = 18;
constexpr std::size_t kAdHocPayeeNameWidth = 35;
constexpr std::size_t kReferenceWidth = 18;
constexpr std::size_t kTransferReferenceWidth = 16;
constexpr std::size_t kBacsReferenceWidth = 25;
constexpr std::size_t kRollNumberWidth = 18;

constexpr FieldSpec kRecordType{kRecordTypeField, C::RecordType, 0};
constexpr FieldSpec kTemplateName{6, C::TemplateName, w::kTemplateName};
constexpr FieldSpec kPayer{13, C::PayerAccount, w::kPayerAccount};
constexpr FieldSpec kCurrency{16, C::Currency, 0};
constexpr FieldSpec kAmount{17, C::Amount, 0};
constexpr FieldSpec kDate{19, C::ProcessingDate, w::kDate};
constexpr FieldSpec kPayeeSortCode{25, C::PayeeSortCode, w::kSortCode};
constexpr FieldSpec kPayeeAccount{31, C::PayeeAccountNumber, w::kAccountNumber};
constexpr FieldSpec kPayeeName{33, C::PayeeName, kPayeeNameWidth, true};
constexpr FieldSpec kReference{37, C::PayeeReference, kReferenceWidth};
constexpr FieldSpec kTransferReference{40, C::PayeeReference, kTransferReferenceWidth};
constexpr FieldSpec kBeneficiaryReference{37, C::BeneficiaryReference, w::kBeneficiaryReference};

constexpr FieldSpec kStandardPaymentFields[] = {kRecordType, kPayer, kAmount, kDate, kPayeeSortCode, kPayeeAccount,
                                                kPayeeName, kReference};
constexpr FieldSpec kStandardTransferFields[] = {kRecordType, kPayer, kCurrency, kAmount, kDate, kPayeeSortCode,
                                                 kPayeeAccount, kTransferReference};
constexpr FieldSpec kTemplatePaymentFields[] = {kRecordType, kTemplateName, kPayer, kCurrency, kAmount, kDate, kReference};
constexpr FieldSpec kTemplateTransferFields[] = {kRecordType, kTemplateName, kPayer, kCurrency, kAmount, kDate,
                                                 kTransferReference};
constexpr FieldSpec kBulkListHeaderFields[] = {kRecordType, kTemplateName, kPayer, kDate, kBeneficiaryReference,
                                               {74, C::ListMarker, 0}};
constexpr FieldSpec kBulkListRecordFields[] = {kRecordType,   {8, C::BacsReference, kBacsReferenceWidth},
                                               kCurrency,     kAmount,
                                               kPayeeSortCode, kPayeeAccount,
                                               kPayeeName,    {37, C::RollNumber, kRollNumberWidth}};
constexpr FieldSpec kAdHocBulkHeaderFields[] = {kRecordType, {9, C::FileName, w::kFileName}, kPayer, kDate,
                                                kBeneficiaryReference};
constexpr FieldSpec kAdHocBulkRecordFields[] = {kRecordType,   kCurrency,
                                                kAmount,       kPayeeSortCode,
                                                kPayeeAccount, {33, C::PayeeName, kAdHocPayeeNameWidth, true},
                                                kReference};

template <std::size_t N>
constexpr RecordLayout Layout(const char* description, const char* type, bool isHeader, int fieldCount,
                              const FieldSpec (&fields)[N]) {
    return {description, type, isHeader, fieldCount, fields, N};
}

}  // namespace

const RecordLayout kStandardPayment =
    Layout("a standard domestic payment", "01", false, kShortLineFields, kStandardPaymentFields);
const RecordLayout kStandardTransfer =
    Layout("a standard domestic transfer", "03", false, kShortLineFields, kStandardTransferFields);
const RecordLayout kTemplatePayment =
    Layout("a template payment", "01", false, kShortLineFields, kTemplatePaymentFields);
const RecordLayout kTemplateTransfer =
    Layout("a template transfer", "03", false, kShortLineFields, kTemplateTransferFields);
const RecordLayout kBulkListHeader = Layout("a bulk list header", "06", true, kShortLineFields, kBulkListHeaderFields);
const RecordLayout kBulkListRecord = Layout("a bulk list payment", "07", false, kShortLineFields, kBulkListRecordFields);
const RecordLayout kAdHocBulkHeader = Layout("an ad hoc bulk header", "08", true, kLongLineFields, kAdHocBulkHeaderFields);
const RecordLayout kAdHocBulkRecord =
    Layout("an ad hoc bulk payment", "09", false, kLongLineFields, kAdHocBulkRecordFields);

const RecordLayout* const kRecordLayouts[8] = {&kStandardPayment, &kStandardTransfer, &kTemplatePayment,
                                               &kTemplateTransfer, &kBulkListHeader,  &kBulkListRecord,
                                               &kAdHocBulkHeader,  &kAdHocBulkRecord};

const FieldSpec* RecordLayout::Find(FieldContent content) const {
    for (const FieldSpec& field : *this) {
        if (field.content == content) return &field;
    }
    return nullptr;
}

const FieldSpec* RecordLayout::At(int number) const {
    for (const FieldSpec& field : *this) {
        if (field.number == number) return &field;
    }
    return nullptr;
}
