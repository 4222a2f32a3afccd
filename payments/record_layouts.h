#pragma once
#include <cstddef>

#include "payments/upload_line.h"

// The upload files' records field by field: where each value goes, how wide it may be and how it is
// written. The writers write their lines from these rows and the verifier reads files by them, so
// that a field has one home.

// What a field holds.
enum class FieldContent : unsigned char {
    RecordType,
    TemplateName,
    BacsReference,         // the payee's BACS reference
    FileName,              // the output file's name
    PayerAccount,          // payer sort code and account number, without a separator
    Currency,
    Amount,
    ProcessingDate,
    PayeeSortCode,
    PayeeAccountNumber,
    PayeeName,
    PayeeReference,        // the reference the payee's statement shows
    RollNumber,            // the payee's building society roll number
    BeneficiaryReference,  // from the options dialog, for a whole bulk file
    ListMarker,            // the "C" of a bulk list header
};
constexpr std::size_t kFieldContentCount = 15;

// How a field's text is made, and so how it is read back.
enum class FieldForm : unsigned char {
    Fixed,   // always the same text: the record type, "GBP", "C"
    Digits,  // digits filling the field's width exactly
    Amount,  // the amount rule: digits, ".", two digits
    Date,    // the date rule: DDMMYYYY
    Text,    // the cleaning rule's characters, cut to the field's width
};

struct FieldContentInfo {
    FieldContent content;
    const char* name;       // in findings: "the payee sort code"
    FieldForm form;
    const char* fixedText;  // a Fixed field's text; the record type's comes from its layout
    bool isReference;       // tells one payment from another of the same payee and amount
};

inline constexpr FieldContentInfo kFieldContents[] = {
    {FieldContent::RecordType, "the record type", FieldForm::Fixed, nullptr, false},
    {FieldContent::TemplateName, "the template name", FieldForm::Text, nullptr, false},
    {FieldContent::BacsReference, "the payee's BACS reference", FieldForm::Text, nullptr, true},
    {FieldContent::FileName, "the file name", FieldForm::Text, nullptr, false},
    {FieldContent::PayerAccount, "the payer field", FieldForm::Digits, nullptr, false},
    {FieldContent::Currency, "the currency", FieldForm::Fixed, "GBP", false},
    {FieldContent::Amount, "the amount", FieldForm::Amount, nullptr, false},
    {FieldContent::ProcessingDate, "the processing date", FieldForm::Date, nullptr, false},
    {FieldContent::PayeeSortCode, "the payee sort code", FieldForm::Digits, nullptr, false},
    {FieldContent::PayeeAccountNumber, "the payee account number", FieldForm::Digits, nullptr, false},
    {FieldContent::PayeeName, "the payee name", FieldForm::Text, nullptr, false},
    {FieldContent::PayeeReference, "the payee reference", FieldForm::Text, nullptr, true},
    {FieldContent::RollNumber, "the roll number", FieldForm::Text, nullptr, true},
    {FieldContent::BeneficiaryReference, "the beneficiary reference", FieldForm::Text, nullptr, false},
    {FieldContent::ListMarker, "field 74", FieldForm::Fixed, "C", false},
};
static_assert(std::size(kFieldContents) == kFieldContentCount);

constexpr const FieldContentInfo& ContentInfo(FieldContent content) {
    return kFieldContents[static_cast<std::size_t>(content)];
}

// Field widths that several records or rules share.
namespace field_width {
constexpr std::size_t kSortCode = 6;
constexpr std::size_t kAccountNumber = 8;
constexpr std::size_t kPayerAccount = kSortCode + kAccountNumber;
constexpr std::size_t kDate = 8;  // DDMMYYYY
constexpr std::size_t kTemplateName = 20;
constexpr std::size_t kBeneficiaryReference = 18;
constexpr std::size_t kFileName = 16;
}  // namespace field_width

// Every record carries its type in the same field, so that a line can be told before its layout is.
constexpr int kRecordTypeField = 4;

// One field of a record. Fields a record does not list are empty.
struct FieldSpec {
    int number;  // from 1
    FieldContent content;
    std::size_t width;      // Text: cut to it; Digits and Date: exactly so many; otherwise 0
    bool required = false;  // Text that must not be empty
};

struct RecordLayout {
    const char* description;  // in findings: "a standard domestic payment"
    const char* recordType;   // field 4
    bool isHeader;
    int fieldCount;
    const FieldSpec* fields;  // ascending by number
    std::size_t size;

    const FieldSpec* begin() const { return fields; }
    const FieldSpec* end() const { return fields + size; }
    // The field that holds `content`, or null when this record has none.
    const FieldSpec* Find(FieldContent content) const;
    // The field numbered `number`, or null when it is one this record leaves empty.
    const FieldSpec* At(int number) const;
};

// The eight records of the four formats (payment_format.h says which format has which).
extern const RecordLayout kStandardPayment;    // "01" of StandardDomestic
extern const RecordLayout kStandardTransfer;   // "03" of StandardDomestic
extern const RecordLayout kTemplatePayment;    // "01" of DomesticTemplate
extern const RecordLayout kTemplateTransfer;   // "03" of DomesticTemplate
extern const RecordLayout kBulkListHeader;     // "06"
extern const RecordLayout kBulkListRecord;     // "07"
extern const RecordLayout kAdHocBulkHeader;    // "08"
extern const RecordLayout kAdHocBulkRecord;    // "09"

// All eight, for whoever must know every record type.
extern const RecordLayout* const kRecordLayouts[8];
