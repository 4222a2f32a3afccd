#include "payments/record_layouts.h"

#include <gtest/gtest.h>

#include "payments/payment_format.h"

namespace {

TEST(RecordLayouts, EachFieldHasItsPlaceAndForm) {
    for (const RecordLayout* layout : kRecordLayouts) {
        int previous = 0;
        for (const FieldSpec& field : *layout) {
            const FieldContentInfo& info = ContentInfo(field.content);
            const std::string row = std::string(layout->description) + ", field " + std::to_string(field.number);
            EXPECT_GT(field.number, previous) << row;
            EXPECT_LE(field.number, layout->fieldCount) << row;
            EXPECT_EQ(field.width > 0, info.form == FieldForm::Text || info.form == FieldForm::Digits ||
                                           info.form == FieldForm::Date) << row;
            previous = field.number;
        }
        EXPECT_EQ(layout->Find(FieldContent::RecordType), layout->At(kRecordTypeField)) << layout->description;
    }
}

TEST(RecordLayouts, EachFormatTellsItsRecordsApart) {
    for (const PaymentFormatInfo& format : kPaymentFormats) {
        const std::string row = format.commandLineName;
        EXPECT_FALSE(format.paymentLayout->isHeader) << row;
        EXPECT_EQ(format.headerLayout != nullptr, format.writeHeader != nullptr) << row;
        EXPECT_EQ(format.transferLayout != nullptr, format.iatMarkingAllowed) << row;
        if (format.headerLayout) {
            EXPECT_TRUE(format.headerLayout->isHeader) << row;
            EXPECT_STRNE(format.headerLayout->recordType, format.paymentLayout->recordType) << row;
        }
        if (format.transferLayout) {
            EXPECT_STRNE(format.transferLayout->recordType, format.paymentLayout->recordType) << row;
        }
    }
}

}  // namespace
