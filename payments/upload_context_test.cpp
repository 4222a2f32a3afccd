#include "payments/upload_context.h"

#include <gtest/gtest.h>

#include "payments/payment_test_support.h"

namespace {

TEST(UploadContext, FileNameIsTheTextAfterTheLastSeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Payments\\Run 7-12.csv", "Run 7-12.csv"},
        {"/tmp/out/pay.csv", "pay.csv"},
        {"C:pay.csv", "pay.csv"},
        {"pay.csv", "pay.csv"},
        {"C:\\dir/sub\\x.txt", "x.txt"},
        {"C:\\dir\\", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(FileNameOf(path), name) << "path [" << path << "]";
}

TEST(UploadContext, PreparesTheSharedFields) {
    PaymentOptions options;
    options.processingDate = testing_support::OleDate(2026, 12, 7) + 0.5;
    options.format = PaymentFormat::AdHocBulk;
    options.templateName = "Rent-Q1, 'monthly' rent";
    options.beneficiaryReference = "Ben/Ref, 2026 #12 extra";
    const UploadContext context = MakeUploadContext(options, "C:\\Payments\\Run 7-12 supplier payments.csv");
    EXPECT_EQ(context.format, PaymentFormat::AdHocBulk);
    EXPECT_EQ(context.date, "07122026");
    EXPECT_EQ(context.templateName, "RENT-Q1 MONTHLY RENT");  // 20
    EXPECT_EQ(context.beneficiaryReference, "BEN/REF 2026 12 EX");  // 18
    EXPECT_EQ(context.fileName, "RUN 7-12 SUPPLIE");  // 16
    EXPECT_EQ(MakeUploadContext(options, "C:\\Payments\\Run 7-12.csv").fileName, "RUN 7-12.CSV");
}

}  // namespace
